#pragma once
// Row of the profile menu: a tick box and the profile name. Pressing the row
// reports it to the menu's owner.

#include <QWidget>

class TarnLabel;
class TarnPushButton;

class TarnProfileMenuItem : public QWidget
{
    Q_OBJECT
public:
    explicit TarnProfileMenuItem(const QString &name, bool checked = false, QWidget *parent = nullptr);

    QString name() const;
    void setName(const QString &name);
    bool isChecked() const { return m_bChecked; }
    void setChecked(bool checked);

signals:
    void CheckBtnSignal(QWidget *item);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private slots:
    void slotCheckPressed();

private:
    TarnPushButton *m_pCheckBtn = nullptr;
    TarnLabel *m_pName = nullptr;
    bool m_bChecked = false;
    bool m_bHover = false;
};
