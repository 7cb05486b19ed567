#include "TarnPushButton.h"

#include "TarnAccessible.h"
#include "TarnUi.h"

#include <QAccessible>
#include <QDebug>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {
constexpr int kMaxImages = 3;

// Keys that press a focused button, as a left click would.
bool isPressKey(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        return true;
    default:
        return false;
    }
}

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
    // Enter in a dialog's line edit must not click the first button it finds.
    setAutoDefault(false);
    // Tab reaches it; a mouse press does not take the focus, so a click keeps
    // it where the user types (list rows end their edit when they lose it).
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    refreshFont();
    installTarnAccessibility();
}

void TarnPushButton::setKind(Kind kind)
{
    m_eKind = kind;
}

QString TarnPushButton::accessibleNameOrText() const
{
    QString name = accessibleName();
    if (name.isEmpty())
        name = tarnStripMnemonic(text());
    if (name.trimmed().isEmpty() && !m_bWarnedUnnamed) {
        m_bWarnedUnnamed = true;
        qWarning("TarnPushButton \"%s\" has neither text nor an accessible name; screen readers cannot name it "
                 "(call setAccessibleName(tr(...)))",
                 qPrintable(objectName()));
    }
    return name;
}

void TarnPushButton::activate()
{
    if (!isEnabled())
        return;
    QPointer<TarnPushButton> self(this);
    // The same order as a press and release of the left button.
    setChecked(!isChecked());
    emit EnterSignal(this);
    if (!self)
        return;
    if (menu()) {
        // Returns when the menu closes, as a press on a menu button does.
        showMenu();
        if (self) {
            setDown(false);
            m_bPressed = false;
            update();
        }
        return;
    }
    click();
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
    const bool changed = m_bSelected != selected;
    m_bSelected = selected;
    setChecked(selected);
    update();
    if (changed) {
        // Tools that keep the states of a tab hear of the change.
        QAccessible::State state;
        state.selected = true;
        QAccessibleStateChangeEvent event(this, state);
        QAccessible::updateAccessibility(&event);
    }
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
    if (showsFocusMark()) {
        // A rectangle in the theme colour just inside the edge: 1 px, 2 px
        // from scale 1.5 on.
        const int width = TarnUi::currentScale() >= 1.5 ? 2 : 1;
        QPen pen(TarnUi::currentThemeColor());
        pen.setWidth(width);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const qreal half = width / 2.0;
        painter.drawRect(QRectF(half, half, this->width() - width, height() - width));
    }
}

bool TarnPushButton::showsFocusMark() const
{
    // Only once the keyboard moved the focus: the button that gets it when the
    // window opens stays unmarked for mouse users.
    return hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange);
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

void TarnPushButton::keyPressEvent(QKeyEvent *event)
{
    if (!isPressKey(event)) {
        QPushButton::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat())
        activate();
}

void TarnPushButton::keyReleaseEvent(QKeyEvent *event)
{
    // activate() did the whole click on the press.
    if (isPressKey(event)) {
        event->accept();
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

void TarnPushButton::focusInEvent(QFocusEvent *event)
{
    QPushButton::focusInEvent(event);
    update();
}

void TarnPushButton::focusOutEvent(QFocusEvent *event)
{
    QPushButton::focusOutEvent(event);
    update();
}

void TarnPushButton::showEvent(QShowEvent *event)
{
    QPushButton::showEvent(event);
    // Says so now, not only when a screen reader first asks.
    accessibleNameOrText();
}

void TarnPushButton::nextCheckState()
{
    // The checked state was already toggled on press.
}
