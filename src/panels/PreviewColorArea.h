#pragma once
// The colour editor's preview: shows the current colour and turns the
// square's pixel position into saturation and value 0..255.

#include <QColor>
#include <QWidget>

class PreviewColorArea : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewColorArea(QWidget *parent = nullptr);

    QColor color() const { return m_Color; }
    // Without announcing it.
    void setColor(const QColor &color);
    // A square pixel coordinate at scale as 0..255: the last half design pixel
    // of the square is full, so its right and top edges reach 255.
    static int toByte(int pixel, double scale);

public slots:
    void svChangedSlot(int hue, int x, int v);

signals:
    void svChangedSignal(int hue, int saturation, int value);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_Color = Qt::black;
};
