#pragma once
// Row widget of the mouse-action tree: a row picture with its text, and a
// gradient in the theme colour while the pointer is over it (state 1) or
// presses it (state 2).

#include <QColor>
#include <QPixmap>
#include <QWidget>

class TarnLabel;

class TarnTreeItem : public QWidget
{
    Q_OBJECT
public:
    explicit TarnTreeItem(const QString &text, const QString &image = QString(), QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    int state() const { return m_iState; }
    // 0 plain, 1 hover, 2 pressed; other values count as 0.
    void setState(int state);

    QSize sizeHint() const override;

signals:
    void MouseInSignal();
    void TarnMousePressed();

public slots:
    void slotLabelClick(TarnLabel *label);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TarnLabel *m_pLabel = nullptr;
    QPixmap m_Image;
    QColor m_Theme; // read once, rows repaint on every pointer move
    int m_iState = 0;
    bool m_bLabelPressed = false;
};
