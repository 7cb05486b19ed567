#include "MousecfgTray.h"

#include "TarnAction.h"
#include "TarnMenu.h"

#include <QCoreApplication>

MousecfgTray::MousecfgTray(const QIcon &icon, const QString &toolTip, QWidget *window)
    : QObject(window)
{
    m_pMenu = new TarnMenu(window);
    m_pMenu->setObjectName(QStringLiteral("trayMenu"));
    m_pLoadConfigAction = new TarnAction(QString(), m_pMenu);
    m_pQuitAction = new TarnAction(QString(), m_pMenu);
    connect(m_pLoadConfigAction, &QAction::triggered, this, &MousecfgTray::loadConfigRequested);
    connect(m_pQuitAction, &QAction::triggered, qApp, &QCoreApplication::quit);
    m_pMenu->addAction(m_pLoadConfigAction);
    m_pMenu->addAction(m_pQuitAction);
    retranslate();

    m_pIcon = new QSystemTrayIcon(icon, this);
    m_pIcon->setObjectName(QStringLiteral("trayIcon"));
    m_pIcon->setContextMenu(m_pMenu);
    m_pIcon->setToolTip(toolTip);
    connect(m_pIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            emit clicked();
    });
    m_pIcon->show();
}

void MousecfgTray::retranslate()
{
    m_pLoadConfigAction->setText(tr("&Load Config"));
    m_pQuitAction->setText(tr("&Quit"));
}
