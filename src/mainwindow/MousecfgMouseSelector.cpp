#include "MousecfgMouseSelector.h"

#include "MouseSession.h"
#include "TarnAction.h"
#include "TarnMenu.h"
#include "TarnPushButton.h"
#include "TarnUi.h"

MousecfgMouseSelector::MousecfgMouseSelector(MouseSession &session, TarnUi &ui, TarnPushButton *button, QWidget *window)
    : QObject(window)
    , m_Session(session)
    , m_Ui(ui)
    , m_pWindow(window)
    , m_pButton(button)
{
}

void MousecfgMouseSelector::rebuild()
{
    m_Session.buildMouseList();
    showList();
}

void MousecfgMouseSelector::showList()
{
    const MouseChoice &choice = m_Session.mouseChoice();
    if (!m_pMenu) {
        m_pMenu = new TarnMenu(m_pWindow);
        m_pMenu->setObjectName(QStringLiteral("mouseMenu"));
        connect(m_pMenu, &QMenu::triggered, this, &MousecfgMouseSelector::onMouseChosen);
        m_pButton->setMenu(m_pMenu);
    }
    m_pMenu->clear();
    for (const QString &name : m_Session.mouseNames()) {
        auto *action = new TarnAction(name, m_pMenu);
        action->setCheckable(true);
        action->setChecked(name == choice.current);
        m_pMenu->addAction(action);
    }
    m_pMenu->setFixedWidth(m_Ui.scaled(150));
    m_Ui.applyMenuStyle(m_pMenu);
    m_pButton->setText(choice.current);
    m_pButton->setVisible(choice.selectorVisible);
}

void MousecfgMouseSelector::relayout()
{
    if (m_pMenu)
        m_pMenu->setFixedWidth(m_Ui.scaled(150));
}

void MousecfgMouseSelector::onMouseChosen(QAction *action)
{
    const QString name = action->text();
    if (name == m_Session.currentProductName())
        return;
    if (!m_Session.switchMouse(name))
        return;
    emit mouseSwitched();
    m_pButton->setText(name);
    const auto actions = m_pMenu->actions();
    for (QAction *entry : actions)
        entry->setChecked(entry == action);
}
