#pragma once
// Row of an editable list: a line edit that ends editing on Return or when it
// loses the focus.

#include <QWidget>

class TarnLineEdit;

class TarnListItem : public QWidget
{
    Q_OBJECT
public:
    explicit TarnListItem(const QString &text = QString(), QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    TarnLineEdit *lineEdit() const { return m_pEdit; }

    // Makes the text editable and gives it the focus.
    void startEdit();
    bool isEditing() const;

public slots:
    void editPressSlot();
    void lostFocusSlot();

private:
    void finishEdit();

    TarnLineEdit *m_pEdit = nullptr;
};
