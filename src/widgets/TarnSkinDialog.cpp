#include "TarnSkinDialog.h"

#include "TarnTheme.h"
#include "TarnUi.h"

#include <QDebug>
#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>

TarnSkinDialog::TarnSkinDialog(const QString &background, QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags | Qt::Dialog | Qt::FramelessWindowHint)
    , m_FrameColor(TarnUi::currentThemeColor())
{
    setAttribute(Qt::WA_TranslucentBackground);
    const QString path = TarnUi::currentImagePath(background);
    m_Background.load(path);
    if (m_Background.isNull())
        qDebug("Dialog background %s not loaded, painting a plain one", qPrintable(path));
}

void TarnSkinDialog::setFrameColor(const QColor &color)
{
    m_FrameColor = color;
    update();
}

void TarnSkinDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_Background.isNull())
        painter.fillRect(rect(), QColor(33, 35, 35));
    else
        painter.drawPixmap(rect(), m_Background);
    // Pen centred on a rectangle 2 px inside: the frame covers pixels 1 and 2.
    QPen pen(m_FrameColor);
    pen.setWidth(2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(2, 2, width() - 4, height() - 4));
}

QToolButton *TarnSkinDialog::makeToolButton(const QString &objectName, const QString &iconResource, const QString &text,
                                            const QColor &border)
{
    auto *button = new QToolButton(this);
    button->setObjectName(objectName);
    button->setIcon(QIcon(iconResource));
    const int iconSide = TarnUi::currentScaled(18);
    button->setIconSize(QSize(iconSide, iconSide));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setText(text);
    button->setFont(TarnUi::currentFont());
    button->setStyleSheet(tarnDialogButtonStyleSheet(border, TarnUi::currentScaled(16)));
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

void TarnSkinDialog::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        auto *focused = qobject_cast<QToolButton *>(focusWidget());
        QToolButton *target = focused && isAncestorOf(focused) ? focused : m_pDefaultButton;
        if (target && target->isVisible() && target->isEnabled()) {
            // click() emits released(), which the boxes answer on.
            target->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void TarnSkinDialog::placeToolButton(QToolButton *button, int centreX, int y, int height)
{
    button->ensurePolished();
    const int width = button->sizeHint().width();
    button->setGeometry(centreX - width / 2, y, width, height);
}
