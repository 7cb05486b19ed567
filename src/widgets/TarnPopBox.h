#pragma once
// Small dialog asking for a name. The heading is also the window title and
// the name of the edit; Enter answers Yes, Escape No.

#include "TarnSkinDialog.h"

class QToolButton;
class TarnLabel;
class TarnLineEdit;

class TarnPopBox : public TarnSkinDialog
{
    Q_OBJECT
public:
    explicit TarnPopBox(const QString &heading, const QString &name = QString(), QWidget *parent = nullptr,
                        Qt::WindowFlags flags = Qt::FramelessWindowHint);

    QString name() const { return m_strName; }
    TarnLineEdit *nameEdit() const { return m_pEdit; }

public slots:
    void NameChanged(const QString &name);

private:
    QString m_strName;
    TarnLabel *m_pHeading = nullptr;
    TarnLineEdit *m_pEdit = nullptr;
    QToolButton *m_pYesBtn = nullptr;
    QToolButton *m_pNoBtn = nullptr;
};
