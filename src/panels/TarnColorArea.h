#pragma once
// "Color Edit": one colour reached four ways (hue strip, saturation/value
// square, red/green/blue boxes, six hex digits) plus seven presets. Every
// change is announced with TarnChangeColor for the page's preview; a change
// the user finished (release on the strip or the square, a box step, a
// finished hex text, a preset) also with ApplyColor. It never touches a
// profile: the page keeps or restores what it previewed.

#include "TarnSkinDialog.h"

#include <QColor>

#include <array>

class DefaultColorArea;
class HColorArea;
class PreviewColorArea;
class QLineEdit;
class QSpinBox;
class SVColorArea;
class TarnLabel;
class TarnPushButton;

class TarnColorArea : public TarnSkinDialog
{
    Q_OBJECT
public:
    static constexpr int kPresetCount = 7;
    static const std::array<QColor, kPresetCount> &presetColors();
    // The hex text completed when editing ends: empty is black; one, two,
    // four and five digits are read as a number and padded with leading
    // zeros; three digits are doubled (f80 is ff8800); six stay.
    static QString completeHex(const QString &text);

    explicit TarnColorArea(QWidget *parent = nullptr);

    // Shows color without announcing it; an invalid colour shows black.
    void setColor(const QColor &color);
    QColor color() const;
    int hue() const { return m_iHue; }

    HColorArea *hueStrip() const { return m_pHueStrip; }
    SVColorArea *svSquare() const { return m_pSquare; }
    PreviewColorArea *preview() const { return m_pPreview; }
    QSpinBox *redBox() const { return m_pRgb[0]; }
    QSpinBox *greenBox() const { return m_pRgb[1]; }
    QSpinBox *blueBox() const { return m_pRgb[2]; }
    QSpinBox *hueBox() const { return m_pHsv[0]; }
    QSpinBox *saturationBox() const { return m_pHsv[1]; }
    QSpinBox *valueBox() const { return m_pHsv[2]; }
    QLineEdit *hexEdit() const { return m_pHex; }
    DefaultColorArea *preset(int i) const { return m_Presets[std::size_t(i)]; }
    TarnPushButton *applyButton() const { return m_pApplyBtn; }
    TarnPushButton *cancelButton() const { return m_pCancelBtn; }

signals:
    void TarnChangeColor(const QColor &color);
    void ApplyColor();

public slots:
    void hValueChangedSlot(int h);
    void sValueChangedSlot(int s);
    void vValueChangedSlot(int v);
    void rValueChangedSlot(int r);
    void gValueChangedSlot(int g);
    void bValueChangedSlot(int b);
    void updateEditData(int h, int s, int v);
    void editChangedSlot(const QString &text);
    void editFinishedSlot();
    void MouseReleaseSlot();
    void color_clicked();

private:
    // Every control shows c; hue is kept apart because greys have none.
    void showColor(const QColor &c, int hue, bool moveSquare = true, bool setHex = true);
    void hsvChanged();
    void rgbChanged();
    int hueOf(const QColor &c) const;

    int m_iHue = 0;
    int m_iSat = 0;
    int m_iVal = 0;
    bool m_bUpdating = false;
    bool m_bHexEdited = false;

    TarnLabel *m_pCaption = nullptr;
    HColorArea *m_pHueStrip = nullptr;
    SVColorArea *m_pSquare = nullptr;
    PreviewColorArea *m_pPreview = nullptr;
    std::array<QSpinBox *, 3> m_pRgb{};
    std::array<QSpinBox *, 3> m_pHsv{};
    QLineEdit *m_pHex = nullptr;
    std::array<DefaultColorArea *, kPresetCount> m_Presets{};
    TarnPushButton *m_pApplyBtn = nullptr;
    TarnPushButton *m_pCancelBtn = nullptr;
};
