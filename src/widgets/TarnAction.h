#pragma once
// Menu entry in the language font.

#include <QAction>

class TarnAction : public QAction
{
    Q_OBJECT
public:
    explicit TarnAction(QObject *parent = nullptr);
    explicit TarnAction(const QString &text, QObject *parent = nullptr);

    void refreshFont();
};
