#include "TarnMessageBox.h"

#include "TarnAccessible.h"
#include "TarnLabel.h"
#include "TarnUi.h"

#include <QDebug>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

namespace {
constexpr int kDesignWidth = 478;
constexpr int kDesignHeight = 309;
constexpr int kPlugInIntervalMs = 100;
} // namespace

TarnMessageBox::TarnMessageBox(int kind, const QString &title, const QString &heading, const QString &message,
                               QWidget *parent, bool watchPlugIn, Qt::WindowFlags flags,
                               DevicePresentQuery devicePresent)
    : TarnSkinDialog(QStringLiteral("/skin/dlg.png"), parent, flags)
    , m_iKind(kind)
    , m_DevicePresent(std::move(devicePresent))
{
    auto s = [](int design) { return TarnUi::currentScaled(design); };
    setFixedSize(s(kDesignWidth), s(kDesignHeight));
    setWindowTitle(title.isEmpty() ? heading : title);
    setModal(true);
    installTarnAccessibility();

    QString iconName;
    if (kind == 1 || kind == 2 || kind == 3)
        iconName = QStringLiteral("/skin/warn.png");
    else if (kind == 4)
        iconName = QStringLiteral("/skin/dongle2.png");
    else
        qDebug("TarnMessageBox: kind %d has no icon", kind);

    m_pIcon = new QLabel(this);
    m_pIcon->setObjectName(QStringLiteral("msgBoxIcon"));
    m_pIcon->setGeometry(s(48), s(92), s(84), s(84));
    m_pIcon->setAlignment(Qt::AlignCenter);
    // The heading says what the warning sign shows.
    tarnMarkDecorative(m_pIcon);
    if (!iconName.isEmpty()) {
        const QPixmap icon(TarnUi::currentImagePath(iconName));
        if (!icon.isNull())
            m_pIcon->setPixmap(icon.scaled(m_pIcon->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }

    QPalette white = palette();
    white.setColor(QPalette::WindowText, Qt::white);

    // The heading stays in the title band of dlg.png, above its rule, and in
    // the language font at its own size (bold only).
    m_pHeading = new TarnLabel(heading, this);
    m_pHeading->setObjectName(QStringLiteral("msgBoxInfoLabel1"));
    m_pHeading->setGeometry(s(40), s(14), s(398), s(36));
    m_pHeading->setAlignment(Qt::AlignCenter);
    m_pHeading->setPalette(white);
    QFont headingFont = m_pHeading->font();
    headingFont.setBold(true);
    m_pHeading->setFont(headingFont);

    m_pMessage = new TarnLabel(message, this);
    m_pMessage->setObjectName(QStringLiteral("msgBoxInfoLabel2"));
    m_pMessage->setGeometry(s(148), s(84), s(290), s(100));
    m_pMessage->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pMessage->setWordWrap(true);
    m_pMessage->setPalette(white);

    const QColor theme = frameColor();
    const bool question = kind == 1;
    m_pYesBtn = makeToolButton(QStringLiteral("msgBoxYesBtn"), QStringLiteral(":/yes_Btn"),
                               question ? tr("Yes") : tr("Ok"), theme);
    connect(m_pYesBtn, SIGNAL(released()), this, SLOT(accept()));
    setDefaultToolButton(m_pYesBtn);
    const int buttonHeight = s(34);
    const int buttonY = s(232);
    if (question) {
        m_pNoBtn = makeToolButton(QStringLiteral("msgBoxNoBtn"), QStringLiteral(":/no_Btn"), tr("No"), theme);
        connect(m_pNoBtn, SIGNAL(released()), this, SLOT(reject()));
        placeToolButton(m_pYesBtn, s(169), buttonY, buttonHeight);
        placeToolButton(m_pNoBtn, s(309), buttonY, buttonHeight);
    } else {
        placeToolButton(m_pYesBtn, s(239), buttonY, buttonHeight);
    }

    m_bWatch = watchPlugIn;
    if (watchPlugIn) {
        m_pPlugInTimer = new QTimer(this);
        m_pPlugInTimer->setInterval(kPlugInIntervalMs);
        connect(m_pPlugInTimer, SIGNAL(timeout()), this, SLOT(GetPlugInSignal()));
        connect(this, &QDialog::finished, m_pPlugInTimer, &QTimer::stop);
        m_pPlugInTimer->start();
    }
}

QString TarnMessageBox::heading() const
{
    return m_pHeading->text();
}

QString TarnMessageBox::message() const
{
    return m_pMessage->text();
}

void TarnMessageBox::showEvent(QShowEvent *event)
{
    TarnSkinDialog::showEvent(event);
    // Shown again after it ended once: watch again.
    if (m_bWatch && m_pPlugInTimer && !m_pPlugInTimer->isActive())
        m_pPlugInTimer->start();
}

bool TarnMessageBox::isWatchingPlugIn() const
{
    return m_pPlugInTimer && m_pPlugInTimer->isActive();
}

void TarnMessageBox::GetPlugInSignal()
{
    if (!m_DevicePresent) {
        if (!m_bLoggedNoQuery) {
            qDebug("TarnMessageBox: plug-in watching without a device-present query");
            m_bLoggedNoQuery = true;
        }
        return;
    }
    if (m_DevicePresent()) {
        if (m_pPlugInTimer)
            m_pPlugInTimer->stop();
        accept();
    }
}
