#include "OsdDisplay.h"

#include <QDateTime>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#ifdef Q_OS_WIN
#include "OsdWindow.h"

#include <windows.h>
#endif

namespace {
const int kMargin = 16;
} // namespace

OsdDisplay::OsdDisplay(const QString &traceFile, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput |
                          Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint)
    , m_strTraceFile(traceFile)
{
    setWindowTitle(QString::fromStdU16String(osdblock::kWindowTitle));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);

    m_HoldTimer.setSingleShot(true);
    connect(&m_HoldTimer, &QTimer::timeout, this, &OsdDisplay::startFadeOut);
    m_Fade.setDuration(kFadeOutMs);
    m_Fade.setStartValue(1.0);
    m_Fade.setEndValue(0.0);
    connect(&m_Fade, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_dOpacity = value.toDouble();
        update();
    });
    connect(&m_Fade, &QVariantAnimation::finished, this, [this] {
        hide();
        emit finished();
    });
}

void OsdDisplay::showMessage(const osdblock::Message &message)
{
    m_Fade.stop();
    m_HoldTimer.stop();
    m_strText = QString::fromStdU16String(message.text);
    m_Colour =
        QColor(int(message.colour & 0xff), int((message.colour >> 8) & 0xff), int((message.colour >> 16) & 0xff));

    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    m_Font = QFont(QString::fromStdU16String(message.font));
    m_Font.setBold(true);
    const int height = qBound(kMinTextHeight, message.textHeight, kMaxTextHeight);
    m_Font.setPixelSize(qMax(kMinTextHeight, int(height * dpi / 96.0)));

    // A text wider than the screen is cut with an ellipsis.
    const QFontMetrics metrics(m_Font);
    const int maxTextWidth = qMax(1, area.width() - 4 * kMargin);
    m_strText = metrics.elidedText(m_strText, Qt::ElideRight, maxTextWidth);
    const QSize size(metrics.horizontalAdvance(m_strText) + 2 * kMargin, metrics.height() + 2 * kMargin);
    resize(size);
    move(area.center().x() - size.width() / 2, area.bottom() - size.height() - area.height() / 10);

    m_dOpacity = 1.0;
    m_bTracePending = !m_strTraceFile.isEmpty();
    if (m_strText.isEmpty()) {
        hide();
        emit messageShown();
        return;
    }
    show();
    raise();
    update();
    m_HoldTimer.start(qBound(0, message.showTimeMs, kMaxShowTimeMs));
    emit messageShown();
}

void OsdDisplay::startFadeOut()
{
    m_Fade.start();
}

void OsdDisplay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(m_dOpacity);

    // A dark outline keeps the text readable on a light background.
    QPainterPath path;
    const QFontMetrics metrics(m_Font);
    path.addText(kMargin, kMargin + metrics.ascent(), m_Font, m_strText);
    painter.setPen(
        QPen(QColor(0, 0, 0, 200), qMax(2.0, m_Font.pixelSize() / 12.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(m_Colour);
    painter.drawPath(path);
    painter.end();

    if (m_bTracePending) {
        m_bTracePending = false;
        QFile trace(m_strTraceFile);
        if (trace.open(QIODevice::WriteOnly | QIODevice::Append))
            trace.write(QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + ' ' + m_strText.toUtf8() + '\n');
    }
}

bool OsdDisplay::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
#ifdef Q_OS_WIN
    const MSG *msg = static_cast<const MSG *>(message);
    if (msg->message == WM_COPYDATA) {
        osdblock::Message decoded;
        const std::uint8_t *block = platformwin::osdBlockFromCopyData(std::intptr_t(msg->lParam));
        const bool taken = block && osdblock::readBlock(block, osdblock::kBlockSize, &decoded);
        if (taken)
            showMessage(decoded);
        *result = taken ? TRUE : FALSE;
        return true;
    }
#endif
    return QWidget::nativeEvent(eventType, message, result);
}
