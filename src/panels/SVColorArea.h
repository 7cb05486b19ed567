#pragma once
// The saturation/value square of the colour editor: white to the full colour
// of the hue from left to right, darkening to black towards the bottom. The
// marker position is kept in the square's pixels, value counted from the
// bottom.

#include <QPoint>
#include <QWidget>

class SVColorArea : public QWidget
{
    Q_OBJECT
public:
    explicit SVColorArea(QWidget *parent = nullptr);

    int side() const;
    int hue() const { return m_iHue; }
    // x = saturation, y = value, both 0..side.
    QPoint position() const { return m_Position; }
    // Without announcing it.
    void setHue(int hue);
    void setPosition(int x, int v);

public slots:
    void hueChangedSlot(int hue);

signals:
    void svChangedSignal(int hue, int x, int v);
    void mouseReleaseSignal();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void pick(const QPoint &pos);

    int m_iHue = 0;
    QPoint m_Position;
};
