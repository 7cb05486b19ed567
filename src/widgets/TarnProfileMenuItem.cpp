#include "TarnProfileMenuItem.h"

#include "TarnLabel.h"
#include "TarnPushButton.h"
#include "TarnUi.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kDesignWidth = 152;
constexpr int kDesignHeight = 24;
} // namespace

TarnProfileMenuItem::TarnProfileMenuItem(const QString &name, bool checked, QWidget *parent)
    : QWidget(parent)
{
    auto s = [](int design) { return TarnUi::currentScaled(design); };
    setFixedSize(s(kDesignWidth), s(kDesignHeight));
    setMouseTracking(true);

    m_pCheckBtn = new TarnPushButton(this);
    m_pCheckBtn->setGeometry(s(6), s(4), s(16), s(16));
    m_pCheckBtn->setObjectName(QStringLiteral("profileCheckButton"));
    m_pCheckBtn->setKind(TarnPushButton::Kind::Toggle);
    m_pCheckBtn->setAccessibleName(name);
    connect(m_pCheckBtn, SIGNAL(EnterSignal(TarnPushButton *)), this, SLOT(slotCheckPressed()));

    m_pName = new TarnLabel(name, this);
    m_pName->setGeometry(s(28), 0, s(kDesignWidth - 34), s(kDesignHeight));
    m_pName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette white = m_pName->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_pName->setPalette(white);
    // Presses on the name count as presses on the row.
    m_pName->setAttribute(Qt::WA_TransparentForMouseEvents);

    setChecked(checked);
}

QString TarnProfileMenuItem::name() const
{
    return m_pName->text();
}

void TarnProfileMenuItem::setName(const QString &name)
{
    m_pName->setText(name);
    m_pCheckBtn->setAccessibleName(name);
}

void TarnProfileMenuItem::setChecked(bool checked)
{
    m_bChecked = checked;
    const QString image = checked ? QStringLiteral("/skin/checkbox2-2.png") : QStringLiteral("/skin/checkbox2-1.png");
    m_pCheckBtn->setImages(QStringList{image});
    // The tick shown is the state assistive tools read.
    m_pCheckBtn->setChecked(checked);
    update();
}

void TarnProfileMenuItem::slotCheckPressed()
{
    emit CheckBtnSignal(this);
}

void TarnProfileMenuItem::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit CheckBtnSignal(this);
    QWidget::mousePressEvent(event);
}

void TarnProfileMenuItem::enterEvent(QEvent *event)
{
    QWidget::enterEvent(event);
    m_bHover = true;
    update();
}

void TarnProfileMenuItem::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_bHover = false;
    update();
}

void TarnProfileMenuItem::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_bHover ? QColor(150, 150, 150) : QColor(50, 50, 50));
}
