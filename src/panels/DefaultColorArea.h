#pragma once
// A colour to click: the preset swatches of the colour editor and the colour
// swatch of the lighting page. A button for the keyboard (Space) and for
// screen readers; the owner names it.

#include <QAbstractButton>
#include <QColor>

class DefaultColorArea : public QAbstractButton
{
    Q_OBJECT
public:
    explicit DefaultColorArea(const QColor &color = QColor(), QWidget *parent = nullptr);

    QColor color() const { return m_Color; }
    // An invalid colour is drawn as an empty, crossed swatch.
    void setColor(const QColor &color);

signals:
    void ClickedSignal();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_Color;
};
