#include "TarnProcessbar.h"

#include "TarnAccessible.h"
#include "TarnUi.h"

TarnProcessbar::TarnProcessbar(QWidget *parent)
    : QProgressBar(parent)
{
    setAlignment(Qt::AlignCenter);
    refreshFont();
    installTarnAccessibility();
}

void TarnProcessbar::refreshFont()
{
    setFont(TarnUi::currentFont());
}
