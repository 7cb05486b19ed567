#pragma once
// Slider with an optional value tip shown while the handle is held, and a
// signal when the mouse lets go (the panels store the value only then).

#include <QSlider>

class QLabel;

class TarnSlider : public QSlider
{
    Q_OBJECT
public:
    explicit TarnSlider(QWidget *parent = nullptr);
    explicit TarnSlider(Qt::Orientation orientation, QWidget *parent = nullptr);

    void setValueTipEnabled(bool enabled);
    bool isValueTipEnabled() const { return m_bTip; }
    // The tip; nullptr until the tip is enabled.
    QLabel *valueTip() const { return m_pTip; }
    bool isValueTipShown() const;

signals:
    void MouseChange();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void slotValueChanged(int value);

private:
    void init();
    void showTip();
    void placeTip();

    bool m_bTip = false;
    bool m_bHeld = false;
    QLabel *m_pTip = nullptr;
};
