#pragma once
// The battery bar; its colours come from style sheets set by the main window.

#include <QProgressBar>

class TarnProcessbar : public QProgressBar
{
    Q_OBJECT
public:
    explicit TarnProcessbar(QWidget *parent = nullptr);

    void refreshFont();
};
