#include "TarnPage.h"

#include "TarnUi.h"

#include "TarnTheme.h"

#include <QEvent>

namespace {
QRect scaledNow(const QRect &design)
{
    const double scale = TarnUi::currentScale();
    return QRect(tarnScaled(design.x(), scale), tarnScaled(design.y(), scale), tarnScaled(design.width(), scale),
                 tarnScaled(design.height(), scale));
}
} // namespace

void TarnDesignLayout::place(QWidget *widget, const QRect &design)
{
    if (!widget)
        return;
    for (Item &item : m_Items) {
        if (item.widget == widget) {
            item.design = design;
            widget->setGeometry(scaledNow(design));
            return;
        }
    }
    m_Items.push_back({widget, design});
    widget->setGeometry(scaledNow(design));
}

void TarnDesignLayout::apply() const
{
    for (const Item &item : m_Items) {
        if (item.widget)
            item.widget->setGeometry(scaledNow(item.design));
    }
}

TarnPage::TarnPage(QWidget *parent)
    : QWidget(parent)
{
    TarnUi::applyPanelBackground(this);
}

void TarnPage::store(ProfileData &) const {}

void TarnPage::relayout()
{
    m_Layout.apply();
}

void TarnPage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}
