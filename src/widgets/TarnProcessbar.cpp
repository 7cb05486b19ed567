#include "TarnProcessbar.h"

#include "TarnUi.h"

TarnProcessbar::TarnProcessbar(QWidget *parent)
    : QProgressBar(parent)
{
    setAlignment(Qt::AlignCenter);
    refreshFont();
}

void TarnProcessbar::refreshFont()
{
    setFont(TarnUi::currentFont());
}
