#include "TarnAction.h"

#include "TarnUi.h"

TarnAction::TarnAction(QObject *parent)
    : QAction(parent)
{
    refreshFont();
}

TarnAction::TarnAction(const QString &text, QObject *parent)
    : QAction(text, parent)
{
    refreshFont();
}

void TarnAction::refreshFont()
{
    setFont(TarnUi::currentFont());
}
