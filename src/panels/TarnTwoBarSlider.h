#pragma once
// Two sliders for the X and Y DPI codes of a level, or one for both while they
// are linked. All three share one range; only the ones that fit the link state
// are shown.

#include <QWidget>

class TarnSlider;

class TarnTwoBarSlider : public QWidget
{
    Q_OBJECT
public:
    explicit TarnTwoBarSlider(QWidget *parent = nullptr);

    void setRange(int lowest, int highest);
    // Shows the combined slider alone when linked, X and Y otherwise.
    void setLinked(bool linked);
    bool isLinked() const { return m_bLinked; }
    // Moves the sliders without reporting it; the combined slider takes x.
    void setValues(int x, int y);
    // Names the three sliders for screen readers, after the level they belong to.
    void setAccessibleNames(const QString &x, const QString &y, const QString &both);
    // Slider look for the current scale and theme colour.
    void refreshStyle();

    TarnSlider *xSlider() const { return m_pX; }
    TarnSlider *ySlider() const { return m_pY; }
    TarnSlider *linkedSlider() const { return m_pBoth; }

signals:
    // The user moved a slider: the X and Y codes now shown.
    void SliderChangedSignal(int x, int y);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeSliders();

    TarnSlider *m_pX = nullptr;
    TarnSlider *m_pY = nullptr;
    TarnSlider *m_pBoth = nullptr;
    bool m_bLinked = false;
};
