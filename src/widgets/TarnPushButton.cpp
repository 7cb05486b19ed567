#include "TarnPushButton.h"

#include "TarnUi.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {
constexpr int kMaxImages = 3;

QPixmap loadSkinImage(const QString &name)
{
    const QString path = TarnUi::currentImagePath(name);
    QPixmap pixmap(path);
    if (pixmap.isNull())
        qDebug("TarnPushButton: image %s not loaded", qPrintable(path));
    return pixmap;
}
} // namespace

TarnPushButton::TarnPushButton(const QStringList &images, const QString &icon, QWidget *parent)
    : QPushButton(parent)
{
    init();
    setImages(images);
    setIconFile(icon);
}

TarnPushButton::TarnPushButton(QWidget *parent)
    : QPushButton(parent)
{
    init();
}

void TarnPushButton::init()
{
    // Checked follows the press (see mousePressEvent), not the click.
    setCheckable(true);
    setFlat(true);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    refreshFont();
}

void TarnPushButton::setImages(const QStringList &images)
{
    if (images.size() > kMaxImages)
        qDebug("TarnPushButton: %d images given, using the first %d", images.size(), kMaxImages);
    m_vImages.clear();
    for (int i = 0; i < images.size() && i < kMaxImages; ++i)
        m_vImages.append(loadSkinImage(images.at(i)));
    update();
}

void TarnPushButton::setIconFile(const QString &icon)
{
    m_Icon = icon.isEmpty() ? QPixmap() : loadSkinImage(icon);
    update();
}

void TarnPushButton::setSelected(bool selected)
{
    m_bSelected = selected;
    setChecked(selected);
    update();
}

int TarnPushButton::currentImageIndex() const
{
    const int count = m_vImages.size();
    if (count == 0)
        return -1;
    if (m_bPressed && count >= 3)
        return 2;
    if (count >= 2 && (m_bHover || (m_bSelected && isChecked())))
        return 1;
    return 0;
}

QColor TarnPushButton::currentTextColor() const
{
    if (!isEnabled())
        return QColor(100, 100, 100);
    if (m_bPressed)
        return QColor(255, 255, 255);
    if (m_bHover || m_bSelected)
        return QColor(225, 225, 225);
    return QColor(200, 200, 200);
}

void TarnPushButton::refreshFont()
{
    setFont(TarnUi::currentFont());
    update();
}

void TarnPushButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int index = currentImageIndex();
    if (index >= 0 && !m_vImages.at(index).isNull())
        painter.drawPixmap(rect(), m_vImages.at(index));

    QRect textRect = rect();
    if (!m_Icon.isNull()) {
        const int side = qMax(1, height() - 4);
        const QPixmap icon = m_Icon.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const int x = text().isEmpty() ? (width() - icon.width()) / 2 : 4;
        painter.drawPixmap(x, (height() - icon.height()) / 2, icon);
        if (!text().isEmpty())
            textRect.setLeft(x + icon.width());
    }
    if (!text().isEmpty()) {
        painter.setFont(font());
        painter.setPen(currentTextColor());
        painter.drawText(textRect, Qt::AlignCenter, text());
    }
}

void TarnPushButton::enterEvent(QEvent *event)
{
    QPushButton::enterEvent(event);
    if (!isEnabled())
        return;
    m_bHover = true;
    m_bPressedSinceEnter = false;
    emit OverSignal(this, true);
    update();
}

void TarnPushButton::leaveEvent(QEvent *event)
{
    QPushButton::leaveEvent(event);
    const bool wasPressed = m_bPressedSinceEnter;
    m_bHover = false;
    m_bPressed = false;
    m_bPressedSinceEnter = false;
    // After a press the pointer leaves because a menu opened; its owner
    // un-highlights when the menu closes.
    if (isEnabled() && !wasPressed)
        emit OverSignal(this, false);
    update();
}

void TarnPushButton::mousePressEvent(QMouseEvent *event)
{
    if (!isEnabled())
        return;
    if (event->button() == Qt::LeftButton) {
        setChecked(!isChecked());
        m_bPressed = true;
        m_bPressedSinceEnter = true;
        update();
        emit EnterSignal(this);
    }
    // May open the attached menu and return only when it closes; the release
    // then goes to the menu, so the pressed look ends here.
    QPointer<TarnPushButton> self(this);
    QPushButton::mousePressEvent(event);
    if (self && menu() && !isDown()) {
        m_bPressed = false;
        update();
    }
}

void TarnPushButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!isEnabled())
        return;
    if (event->button() == Qt::LeftButton) {
        m_bPressed = false;
        update();
    }
    QPushButton::mouseReleaseEvent(event);
}

void TarnPushButton::changeEvent(QEvent *event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_bHover = false;
        m_bPressed = false;
    }
}

void TarnPushButton::nextCheckState()
{
    // The checked state was already toggled on press.
}
