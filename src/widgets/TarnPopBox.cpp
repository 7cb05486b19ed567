#include "TarnPopBox.h"

#include "TarnAccessible.h"
#include "TarnLabel.h"
#include "TarnLineEdit.h"
#include "TarnUi.h"

#include <QToolButton>

namespace {
constexpr int kDesignWidth = 400;
constexpr int kDesignHeight = 200;
} // namespace

TarnPopBox::TarnPopBox(const QString &heading, const QString &name, QWidget *parent, Qt::WindowFlags flags)
    : TarnSkinDialog(QStringLiteral("/skin/dlg.png"), parent, flags)
    , m_strName(name)
{
    auto s = [](int design) { return TarnUi::currentScaled(design); };
    setFixedSize(s(kDesignWidth), s(kDesignHeight));
    setModal(true);
    // Names the window, and the box for assistive tools.
    setWindowTitle(heading);
    installTarnAccessibility();

    m_pHeading = new TarnLabel(heading, this);
    m_pHeading->setObjectName(QStringLiteral("popBoxHeading"));
    // Above the title rule of dlg.png, which lies at 56/309 of the height.
    m_pHeading->setGeometry(s(30), s(8), s(340), s(24));
    m_pHeading->setAlignment(Qt::AlignCenter);
    QPalette white = m_pHeading->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_pHeading->setPalette(white);

    m_pEdit = new TarnLineEdit(this);
    m_pEdit->setObjectName(QStringLiteral("popBoxNameEdit"));
    m_pEdit->setGeometry(s(60), s(76), s(280), s(30));
    m_pEdit->setFont(TarnUi::currentFont());
    m_pEdit->setStyleSheet(QStringLiteral("border:1px solid rgb(120,120,120);background:rgb(30,30,30);color:white;"));
    m_pEdit->setText(name);
    m_pEdit->setAccessibleName(heading);
    connect(m_pEdit, SIGNAL(textChanged(QString)), this, SLOT(NameChanged(QString)));

    const QColor red(255, 0, 0);
    m_pYesBtn = makeToolButton(QStringLiteral("msgBoxYesBtn"), QStringLiteral(":/yes_Btn"), tr("Yes"), red);
    m_pNoBtn = makeToolButton(QStringLiteral("msgBoxNoBtn"), QStringLiteral(":/no_Btn"), tr("No"), red);
    placeToolButton(m_pYesBtn, s(130), s(134), s(34));
    placeToolButton(m_pNoBtn, s(270), s(134), s(34));
    connect(m_pYesBtn, SIGNAL(released()), this, SLOT(accept()));
    connect(m_pNoBtn, SIGNAL(released()), this, SLOT(reject()));
    setDefaultToolButton(m_pYesBtn);
}

void TarnPopBox::NameChanged(const QString &name)
{
    m_strName = name;
}
