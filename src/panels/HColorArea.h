#pragma once
// The hue strip of the colour editor: a vertical rainbow, hue 0 at the bottom
// and again at the top, with a marker beside it. A press or drag picks the hue
// at that height.

#include <QPixmap>
#include <QWidget>

class HColorArea : public QWidget
{
    Q_OBJECT
public:
    explicit HColorArea(QWidget *parent = nullptr);

    int hue() const { return m_iHue; }
    // Moves the marker without announcing it.
    void setHue(int hue);
    // The hue (0..360) at height y of a strip drawn at scale.
    static int hueAt(int y, double scale);

signals:
    void hueChangedSignal(int hue);
    void mouseReleaseSignal();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void pick(int y);
    void drawGradient();

    QPixmap m_Pixmap;
    int m_iHue = 0;
};
