#pragma once
// One DPI level of the DPI page: the X and Y codes on a two-bar slider with
// the DPI they stand for, the "Link XY" box, the on/off box, and the band of
// the sensor at the ends. Clicking the row (or Space/Enter inside it) asks for
// its level to become the active one. The row only shows and reports; the
// page keeps the profile.

#include "TarnPage.h"

#include <QWidget>

class QCheckBox;
class TarnLabel;
class TarnTwoBarSlider;

class TarnSingleDPI : public QWidget
{
    Q_OBJECT
public:
    explicit TarnSingleDPI(quint8 level, QWidget *parent = nullptr);

    quint8 level() const { return m_iLevel; }
    // Takes the band of sensor for the named model. An unknown sensor keeps the
    // sliders as they are; its codes then show as 0 DPI.
    void setSensor(int sensor, const QString &productName);
    int lowest() const;
    int highest() const;

    // Showing a stored level; nothing is reported.
    void setValues(int x, int y);
    void setLink(quint8 link);
    void setUsed(quint8 used);
    // The active level's texts are drawn in the theme colour.
    void setChosen(bool chosen);
    bool isChosen() const { return m_bChosen; }

    void retranslate();
    void relayout();

    TarnTwoBarSlider *twoBarSlider() const { return m_pSlider; }
    QCheckBox *linkBox() const { return m_pLinkBox; }
    QCheckBox *enableBox() const { return m_pEnableBox; }
    TarnLabel *xLabel() const { return m_pXLabel; }
    TarnLabel *yLabel() const { return m_pYLabel; }
    TarnLabel *dpiLabel() const { return m_pDpiLabel; }
    TarnLabel *minLabel() const { return m_pMinLabel; }
    TarnLabel *maxLabel() const { return m_pMaxLabel; }

signals:
    void DPISignal(int x, int y, quint8 level);
    void LinkSignal(quint8 link, quint8 level);
    void EnableSignal(quint8 used, quint8 level);
    void MouseinSignal(quint8 level);

public slots:
    void onStateChanged(int state);
    void onSliderChanged(int x, int y);
    void slotLabelClick(TarnLabel *label);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showValues();
    void applyStyles();
    void applyLabelStyle();
    QList<TarnLabel *> labels() const;

    quint8 m_iLevel = 0;
    int m_iSensor = 3325;
    int m_iX = 0;
    int m_iY = 0;
    quint8 m_iLink = 0;
    quint8 m_iUsed = 0;
    bool m_bChosen = false;

    TarnDesignLayout m_Layout;
    TarnTwoBarSlider *m_pSlider = nullptr;
    TarnLabel *m_pMinLabel = nullptr;
    TarnLabel *m_pMaxLabel = nullptr;
    TarnLabel *m_pXLabel = nullptr;
    TarnLabel *m_pYLabel = nullptr;
    TarnLabel *m_pDpiLabel = nullptr;
    QCheckBox *m_pLinkBox = nullptr;
    QCheckBox *m_pEnableBox = nullptr;
};
