#include "TarnMacroSelect.h"

#include "CountValidator.h"
#include "MacroFile.h"
#include "TarnAction.h"
#include "TarnLabel.h"
#include "TarnMenu.h"
#include "TarnPushButton.h"
#include "TarnUi.h"

#include <QDebug>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {
constexpr int kDesignWidth = 478;
constexpr int kDesignHeight = 309;
} // namespace

TarnMacroSelect::TarnMacroSelect(const QString &title, const QString &heading, const QString &name, int loopCount,
                                 int mode, QWidget *parent)
    : TarnSkinDialog(QStringLiteral("/skin/dlg.png"), parent)
{
    auto s = [](int design) { return TarnUi::currentScaled(design); };
    setFixedSize(s(kDesignWidth), s(kDesignHeight));
    setWindowTitle(title);
    setModal(true);
    if (mode < LoopCount || mode > UntilPressedAgain) {
        qDebug("Macro repeat mode %d unknown; starting with the loop count", mode);
        mode = LoopCount;
    }

    QPalette white = palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_pHeading = new TarnLabel(heading, this);
    m_pHeading->setObjectName(QStringLiteral("msgBoxInfoLabel1"));
    m_pHeading->setWordWrap(true);
    m_pHeading->setAlignment(Qt::AlignCenter);
    m_pHeading->setPalette(white);
    m_pHeading->setGeometry(s(82), s(20), s(299), s(30));
    m_pInfo = new TarnLabel(this);
    m_pInfo->setObjectName(QStringLiteral("msgBoxInfoLabel2"));
    m_pInfo->setPalette(white);
    m_pInfo->setGeometry(s(82), s(52), s(299), s(10));

    m_pChoice = new TarnPushButton({QStringLiteral("/skin/profilesel.png")}, QString(), this);
    m_pChoice->setObjectName(QStringLiteral("macroChoice"));
    m_pChoice->setKind(TarnPushButton::Kind::MenuButton);
    m_pChoice->setGeometry(s(139), s(66), s(200), s(28));
    m_pMenu = new TarnMenu(this);
    m_pMenu->setObjectName(QStringLiteral("macroChoiceMenu"));
    m_pMenu->setFixedWidth(m_pChoice->width());
    const QStringList names = listMacroNames(TarnUi::current() ? TarnUi::current()->dirs() : StorageDirs());
    for (const QString &macro : names) {
        QAction *action = new TarnAction(macro, m_pMenu);
        m_pMenu->addAction(action);
        connect(action, &QAction::triggered, this, [this, macro] { chooseName(macro); });
    }
    m_pChoice->setMenu(m_pMenu);
    chooseName(name);

    const QString style = QStringLiteral("QRadioButton{color:white;background:transparent;spacing:%1px;}"
                                         "QRadioButton::indicator{width:%2px;height:%2px;}"
                                         "QRadioButton::indicator:unchecked{image:url(\"%3\");}"
                                         "QRadioButton::indicator:checked{image:url(\"%4\");}"
                                         "QRadioButton:focus{color:rgb(255,255,160);}")
                              .arg(s(8))
                              .arg(s(16))
                              .arg(TarnUi::currentImagePath(QStringLiteral("skin/checkbox2-1.png")),
                                   TarnUi::currentImagePath(QStringLiteral("skin/checkbox2-2.png")));
    const char *const texts[3] = {QT_TR_NOOP("LOOPS TIME(1-255)"), QT_TR_NOOP("REPEAT RUN WHEN KEY DOWN"),
                                  QT_TR_NOOP("REPEAT RUN UNTILL THE KEY DOWN")};
    for (int m = 0; m < 3; ++m) {
        auto *option = new QRadioButton(tr(texts[m]), this);
        option->setObjectName(QStringLiteral("macroMode%1").arg(m));
        option->setFont(TarnUi::currentFont());
        option->setStyleSheet(style);
        option->setGeometry(s(70), s(112 + 36 * m), s(300), s(26));
        option->setChecked(m == mode);
        m_aModes[size_t(m)] = option;
    }
    m_pLoopEdit = new QLineEdit(QString::number(loopCount), this);
    m_pLoopEdit->setObjectName(QStringLiteral("macroLoopEdit"));
    m_pLoopEdit->setAccessibleName(tr("LOOPS TIME(1-255)"));
    m_pLoopEdit->setMaxLength(3);
    m_pLoopEdit->setValidator(new CountValidator(1, 255, m_pLoopEdit));
    m_pLoopEdit->setAlignment(Qt::AlignCenter);
    m_pLoopEdit->setFont(TarnUi::currentFont());
    m_pLoopEdit->setStyleSheet(QStringLiteral("border:1px;background:rgb(30,30,30);color:white"));
    m_pLoopEdit->setGeometry(s(350), s(112), s(56), s(26));

    const QColor theme = frameColor();
    m_pYesBtn = makeToolButton(QStringLiteral("msgBoxYesBtn"), QStringLiteral(":/yes_Btn"), tr("Yes"), theme);
    m_pNoBtn = makeToolButton(QStringLiteral("msgBoxNoBtn"), QStringLiteral(":/no_Btn"), tr("No"), theme);
    connect(m_pYesBtn, SIGNAL(released()), this, SLOT(accept()));
    connect(m_pNoBtn, SIGNAL(released()), this, SLOT(reject()));
    placeToolButton(m_pYesBtn, s(159), s(250), s(34));
    placeToolButton(m_pNoBtn, s(319), s(250), s(34));
    setDefaultToolButton(m_pYesBtn);

    setTabOrder(m_pChoice, m_aModes[0]);
    setTabOrder(m_aModes[0], m_pLoopEdit);
    setTabOrder(m_pLoopEdit, m_aModes[1]);
    setTabOrder(m_aModes[1], m_aModes[2]);
    setTabOrder(m_aModes[2], m_pYesBtn);
    setTabOrder(m_pYesBtn, m_pNoBtn);
    m_pChoice->setFocus();
}

void TarnMacroSelect::chooseName(const QString &name)
{
    m_strName = name;
    m_pChoice->setText(name);
    m_pChoice->setAccessibleName(name.isEmpty() ? tr("Macro") : tr("Macro: %1").arg(name));
}

int TarnMacroSelect::loopCount() const
{
    return m_pLoopEdit->text().toInt(nullptr, 10);
}

int TarnMacroSelect::mode() const
{
    for (int m = 0; m < 3; ++m) {
        if (m_aModes[size_t(m)]->isChecked())
            return m;
    }
    return LoopCount;
}

QStringList TarnMacroSelect::listedNames() const
{
    QStringList names;
    for (QAction *action : m_pMenu->actions())
        names << action->text();
    return names;
}
