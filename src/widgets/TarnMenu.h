#pragma once
// Menu that paints its entries itself: dark background, centred white text in
// the language font, grey under the pointer, lighter grey while pressed.

#include <QColor>
#include <QMenu>

class TarnMenu : public QMenu
{
    Q_OBJECT
public:
    explicit TarnMenu(QWidget *parent = nullptr);
    explicit TarnMenu(const QString &title, QWidget *parent = nullptr);

    // Style sheet (item sizes) and font again from the current theme and language.
    void refreshStyle();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    bool m_bPressed = false;
    QColor m_Theme; // read with the style, not on every paint
};
