#pragma once
// The battery bar; its colours come from style sheets set by the main window.
// Assistive tools read the text it shows ("57%", or a fixed format such as
// "MOUSE OFF") as its value and, unless the owner sets one, its description;
// the owner names it with setAccessibleName(tr("Battery")).

#include <QProgressBar>

class TarnProcessbar : public QProgressBar
{
    Q_OBJECT
public:
    explicit TarnProcessbar(QWidget *parent = nullptr);

    void refreshFont();
};
