#include "TarnTreeItem.h"

#include "TarnAccessible.h"
#include "TarnLabel.h"
#include "TarnUi.h"

#include <QDebug>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kDesignWidth = 148;
constexpr int kDesignHeight = 24;
} // namespace

TarnTreeItem::TarnTreeItem(const QString &text, const QString &image, QWidget *parent)
    : QWidget(parent)
    , m_Theme(TarnUi::currentThemeColor())
{
    if (!image.isEmpty()) {
        const QString path = TarnUi::currentImagePath(image);
        if (!m_Image.load(path))
            qDebug("TarnTreeItem: %s not loaded", qPrintable(path));
    }
    m_pLabel = new TarnLabel(text, this);
    m_pLabel->setAlignment(Qt::AlignCenter);
    QPalette white = m_pLabel->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_pLabel->setPalette(white);
    connect(m_pLabel, SIGNAL(EnterSignal(TarnLabel *)), this, SLOT(slotLabelClick(TarnLabel *)));
    resize(sizeHint());
    installTarnAccessibility();
}

QString TarnTreeItem::text() const
{
    return m_pLabel->text();
}

void TarnTreeItem::setText(const QString &text)
{
    m_pLabel->setText(text);
}

void TarnTreeItem::setState(int state)
{
    if (state != 1 && state != 2)
        state = 0;
    if (state == m_iState)
        return;
    m_iState = state;
    update();
}

QSize TarnTreeItem::sizeHint() const
{
    return QSize(TarnUi::currentScaled(kDesignWidth), TarnUi::currentScaled(kDesignHeight));
}

void TarnTreeItem::slotLabelClick(TarnLabel *)
{
    // The same press reaches mousePressEvent next; report it once.
    m_bLabelPressed = true;
    emit TarnMousePressed();
}

void TarnTreeItem::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect row(0, 0, TarnUi::currentScaled(kDesignWidth), TarnUi::currentScaled(kDesignHeight));
    if (m_Image.isNull())
        painter.fillRect(row, QColor(45, 45, 45));
    else
        painter.drawPixmap(row, m_Image);
    if (m_iState == 0)
        return;
    QColor strong = m_Theme;
    QColor weak = strong;
    strong.setAlpha(m_iState == 2 ? 255 : 190);
    weak.setAlpha(m_iState == 2 ? 120 : 30);
    QLinearGradient gradient(row.topLeft(), row.topRight());
    gradient.setColorAt(0.0, strong);
    gradient.setColorAt(1.0, weak);
    painter.fillRect(row, gradient);
}

void TarnTreeItem::enterEvent(QEvent *event)
{
    QWidget::enterEvent(event);
    emit MouseInSignal();
}

void TarnTreeItem::mousePressEvent(QMouseEvent *event)
{
    if (!m_bLabelPressed)
        emit TarnMousePressed();
    m_bLabelPressed = false;
    // The tree behind the row selects and expands it.
    event->ignore();
}

void TarnTreeItem::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_pLabel->setGeometry(0, 0, qMin(width(), TarnUi::currentScaled(kDesignWidth)),
                          qMin(height(), TarnUi::currentScaled(kDesignHeight)));
}
