#include "TarnColorArea.h"

#include "DefaultColorArea.h"
#include "HColorArea.h"
#include "PreviewColorArea.h"
#include "SVColorArea.h"
#include "TarnLabel.h"
#include "TarnPushButton.h"
#include "TarnUi.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cmath>

namespace {
constexpr int kDesignWidth = 400;
constexpr int kDesignHeight = 290;
const QStringList kButtonImages = {QStringLiteral("./skin/tabbutton-1.png"), QStringLiteral("./skin/tabbutton-3.png"),
                                   QStringLiteral("./skin/tabbutton-2.png")};
const char *const kPresetNames[TarnColorArea::kPresetCount] = {
    QT_TRANSLATE_NOOP("TarnColorArea", "Red"),    QT_TRANSLATE_NOOP("TarnColorArea", "Green"),
    QT_TRANSLATE_NOOP("TarnColorArea", "Blue"),   QT_TRANSLATE_NOOP("TarnColorArea", "Cyan"),
    QT_TRANSLATE_NOOP("TarnColorArea", "Yellow"), QT_TRANSLATE_NOOP("TarnColorArea", "Magenta"),
    QT_TRANSLATE_NOOP("TarnColorArea", "White")};

// Set while one control's change reaches the others, so that their own change
// slots stay quiet; restores what it found, so it nests.
class UpdatingGuard
{
public:
    explicit UpdatingGuard(bool &flag)
        : m_Flag(flag)
        , m_bWas(flag)
    {
        m_Flag = true;
    }
    ~UpdatingGuard() { m_Flag = m_bWas; }
    UpdatingGuard(const UpdatingGuard &) = delete;
    UpdatingGuard &operator=(const UpdatingGuard &) = delete;

private:
    bool &m_Flag;
    bool m_bWas;
};

QString hexOf(const QColor &c)
{
    return QStringLiteral("%1%2%3")
        .arg(c.red(), 2, 16, QLatin1Char('0'))
        .arg(c.green(), 2, 16, QLatin1Char('0'))
        .arg(c.blue(), 2, 16, QLatin1Char('0'));
}

bool isSixHexDigits(const QString &text)
{
    static const QRegularExpression six(QStringLiteral("^[0-9a-fA-F]{6}$"));
    return six.match(text).hasMatch();
}
} // namespace

const std::array<QColor, TarnColorArea::kPresetCount> &TarnColorArea::presetColors()
{
    static const std::array<QColor, kPresetCount> colors = {
        QColor(255, 0, 0),   QColor(0, 255, 0),   QColor(0, 0, 255),    QColor(0, 255, 255),
        QColor(255, 255, 0), QColor(255, 0, 255), QColor(255, 255, 255)};
    return colors;
}

QString TarnColorArea::completeHex(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t.size() == 3)
        return QString(t[0]) + t[0] + t[1] + t[1] + t[2] + t[2];
    if (t.size() >= 6)
        return t;
    return QString(6 - t.size(), QLatin1Char('0')) + t;
}

TarnColorArea::TarnColorArea(QWidget *parent)
    : TarnSkinDialog(QStringLiteral("/skin/dlg.png"), parent)
{
    setObjectName(QStringLiteral("colorEditDialog"));
    setWindowTitle(tr("Color Edit"));
    setModal(true);
    auto s = [](int design) { return TarnUi::currentScaled(design); };
    setFixedSize(s(kDesignWidth), s(kDesignHeight));

    m_pCaption = new TarnLabel(tr("COLOR"), this);
    m_pCaption->setGeometry(s(40), s(10), s(70), s(18));
    m_pCaption->setStyleSheet(QStringLiteral("background: transparent"));
    QPalette light = m_pCaption->palette();
    light.setColor(QPalette::WindowText, QColor(225, 225, 225));
    m_pCaption->setPalette(light);

    m_pSquare = new SVColorArea(this);
    m_pSquare->setObjectName(QStringLiteral("svColorArea"));
    m_pSquare->setAccessibleName(tr("Saturation and brightness"));
    m_pSquare->setGeometry(s(40), s(43), s(128), s(128));
    m_pHueStrip = new HColorArea(this);
    m_pHueStrip->setObjectName(QStringLiteral("hColorArea"));
    m_pHueStrip->setAccessibleName(tr("Hue"));
    m_pHueStrip->setGeometry(s(185), s(38), s(34), s(142));
    m_pPreview = new PreviewColorArea(this);
    m_pPreview->setObjectName(QStringLiteral("previewColorArea"));
    m_pPreview->setAccessibleName(tr("Preview"));
    m_pPreview->setGeometry(s(275), s(43), s(55), s(20));

    const QString boxStyle = QStringLiteral("color: rgb(225,225,225)");
    const char *const rgbPrefix[3] = {"R ", "G ", "B "};
    const char *const rgbNames[3] = {QT_TR_NOOP("Red"), QT_TR_NOOP("Green"), QT_TR_NOOP("Blue")};
    for (int i = 0; i < 3; ++i) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QStringLiteral("rgbBox%1").arg(i));
        box->setPrefix(QLatin1String(rgbPrefix[i]));
        box->setRange(0, 255);
        box->setStyleSheet(boxStyle);
        box->setFont(TarnUi::currentFont());
        box->setAccessibleName(tr(rgbNames[i]));
        box->setGeometry(s(275), s(91 + 30 * i), s(55), s(20));
        m_pRgb[std::size_t(i)] = box;
    }
    // Hue, saturation and value as numbers: never shown, they hold the state
    // the other controls are set from.
    const int hsvMax[3] = {360, 255, 255};
    for (int i = 0; i < 3; ++i) {
        auto *box = new QSpinBox(this);
        box->setRange(0, hsvMax[i]);
        box->setGeometry(0, 0, 0, 0);
        box->hide();
        m_pHsv[std::size_t(i)] = box;
    }

    m_pHex = new QLineEdit(this);
    m_pHex->setObjectName(QStringLiteral("hexEdit"));
    m_pHex->setAccessibleName(tr("Hex"));
    m_pHex->setMaxLength(6);
    m_pHex->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9a-fA-F]{0,6}")), m_pHex));
    m_pHex->setStyleSheet(boxStyle);
    m_pHex->setFont(TarnUi::currentFont());
    m_pHex->setGeometry(s(275), s(181), s(55), s(20));

    for (int i = 0; i < kPresetCount; ++i) {
        auto *swatch = new DefaultColorArea(presetColors()[std::size_t(i)], this);
        swatch->setObjectName(QStringLiteral("preset%1").arg(i));
        swatch->setAccessibleName(tr(kPresetNames[i]));
        swatch->setGeometry(s(40 + 26 * i), s(200), s(20), s(20));
        connect(swatch, &DefaultColorArea::ClickedSignal, this, &TarnColorArea::color_clicked);
        m_Presets[std::size_t(i)] = swatch;
    }

    m_pApplyBtn = new TarnPushButton(kButtonImages, QString(), this);
    m_pApplyBtn->setObjectName(QStringLiteral("colorApplyButton"));
    m_pApplyBtn->setText(tr("APPLY"));
    m_pApplyBtn->setGeometry(s(100), s(240), s(90), s(30));
    m_pApplyBtn->setDefault(true);
    m_pCancelBtn = new TarnPushButton(kButtonImages, QString(), this);
    m_pCancelBtn->setObjectName(QStringLiteral("colorCancelButton"));
    m_pCancelBtn->setText(tr("Cancel"));
    m_pCancelBtn->setGeometry(s(210), s(240), s(90), s(30));
    connect(m_pApplyBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    connect(m_pHueStrip, &HColorArea::hueChangedSignal, m_pSquare, &SVColorArea::hueChangedSlot);
    connect(m_pSquare, &SVColorArea::svChangedSignal, m_pPreview, &PreviewColorArea::svChangedSlot);
    connect(m_pPreview, &PreviewColorArea::svChangedSignal, this, &TarnColorArea::updateEditData);
    connect(m_pHex, &QLineEdit::textEdited, this, &TarnColorArea::editChangedSlot);
    connect(m_pHex, &QLineEdit::editingFinished, this, &TarnColorArea::editFinishedSlot);
    const auto valueChanged = QOverload<int>::of(&QSpinBox::valueChanged);
    connect(m_pHsv[0], valueChanged, this, &TarnColorArea::hValueChangedSlot);
    connect(m_pHsv[1], valueChanged, this, &TarnColorArea::sValueChangedSlot);
    connect(m_pHsv[2], valueChanged, this, &TarnColorArea::vValueChangedSlot);
    connect(m_pRgb[0], valueChanged, this, &TarnColorArea::rValueChangedSlot);
    connect(m_pRgb[1], valueChanged, this, &TarnColorArea::gValueChangedSlot);
    connect(m_pRgb[2], valueChanged, this, &TarnColorArea::bValueChangedSlot);
    connect(m_pHueStrip, &HColorArea::mouseReleaseSignal, this, &TarnColorArea::MouseReleaseSlot);
    connect(m_pSquare, &SVColorArea::mouseReleaseSignal, this, &TarnColorArea::MouseReleaseSlot);

    QWidget *previous = m_pRgb[0];
    for (QWidget *next :
         {static_cast<QWidget *>(m_pRgb[1]), static_cast<QWidget *>(m_pRgb[2]), static_cast<QWidget *>(m_pHex)}) {
        setTabOrder(previous, next);
        previous = next;
    }
    for (DefaultColorArea *swatch : m_Presets) {
        setTabOrder(previous, swatch);
        previous = swatch;
    }
    setTabOrder(previous, m_pApplyBtn);
    setTabOrder(m_pApplyBtn, m_pCancelBtn);

    setColor(Qt::black);
    m_pRgb[0]->setFocus();
}

void TarnColorArea::setColor(const QColor &color)
{
    const QColor c = color.isValid() ? color.toRgb() : QColor(Qt::black);
    const UpdatingGuard guard(m_bUpdating);
    showColor(c, hueOf(c));
}

QColor TarnColorArea::color() const
{
    return QColor(m_pRgb[0]->value(), m_pRgb[1]->value(), m_pRgb[2]->value());
}

int TarnColorArea::hueOf(const QColor &c) const
{
    // Greys have no hue (-1): the strip and the square keep theirs.
    const int hue = c.hsvHue();
    return hue < 0 ? m_iHue : hue;
}

void TarnColorArea::showColor(const QColor &c, int hue, bool moveSquare, bool setHex)
{
    const double scale = TarnUi::currentScale();
    m_iHue = hue == 360 ? 0 : hue;
    m_iSat = c.hsvSaturation();
    m_iVal = c.value();
    m_pHueStrip->setHue(m_iHue);
    m_pSquare->setHue(m_iHue);
    // The square's design coordinates are half the 0..255 values; rounding
    // up puts 255 on the edge, so a pure colour stays pure when only the hue
    // is picked afterwards.
    if (moveSquare)
        m_pSquare->setPosition(int(std::ceil(m_iSat * scale / 2)), int(std::ceil(m_iVal * scale / 2)));
    m_pPreview->setColor(c);
    m_pHsv[0]->setValue(m_iHue);
    m_pHsv[1]->setValue(m_iSat);
    m_pHsv[2]->setValue(m_iVal);
    m_pRgb[0]->setValue(c.red());
    m_pRgb[1]->setValue(c.green());
    m_pRgb[2]->setValue(c.blue());
    if (setHex)
        m_pHex->setText(hexOf(c));
}

void TarnColorArea::updateEditData(int h, int s, int v)
{
    const UpdatingGuard guard(m_bUpdating);
    const QColor c = QColor::fromHsv(h == 360 ? 0 : h, s, v);
    // The square already shows where the user is; its pixels are not moved
    // to what the rounded values would give.
    showColor(c, h, false);
    emit TarnChangeColor(c);
}

void TarnColorArea::hsvChanged()
{
    const UpdatingGuard guard(m_bUpdating);
    const QColor c = QColor::fromHsv(m_pHsv[0]->value() % 360, m_pHsv[1]->value(), m_pHsv[2]->value());
    showColor(c, m_pHsv[0]->value());
    emit TarnChangeColor(c);
}

void TarnColorArea::hValueChangedSlot(int)
{
    if (!m_bUpdating)
        hsvChanged();
}

void TarnColorArea::sValueChangedSlot(int)
{
    if (!m_bUpdating)
        hsvChanged();
}

void TarnColorArea::vValueChangedSlot(int)
{
    if (!m_bUpdating)
        hsvChanged();
}

void TarnColorArea::rgbChanged()
{
    const UpdatingGuard guard(m_bUpdating);
    const QColor c = color();
    showColor(c, hueOf(c));
    emit TarnChangeColor(c);
    emit ApplyColor();
}

void TarnColorArea::rValueChangedSlot(int)
{
    if (!m_bUpdating)
        rgbChanged();
}

void TarnColorArea::gValueChangedSlot(int)
{
    if (!m_bUpdating)
        rgbChanged();
}

void TarnColorArea::bValueChangedSlot(int)
{
    if (!m_bUpdating)
        rgbChanged();
}

void TarnColorArea::editChangedSlot(const QString &text)
{
    m_bHexEdited = true;
    // Anything but six digits is a text on its way; it changes nothing yet.
    if (m_bUpdating || !isSixHexDigits(text))
        return;
    const UpdatingGuard guard(m_bUpdating);
    const QColor c(QLatin1Char('#') + text);
    showColor(c, hueOf(c), true, false);
    emit TarnChangeColor(c);
}

void TarnColorArea::editFinishedSlot()
{
    // Leaving the field without typing in it is no change.
    if (!m_bHexEdited)
        return;
    m_bHexEdited = false;
    const QString text = completeHex(m_pHex->text());
    const QColor c(QLatin1Char('#') + text);
    const bool changed = c != color();
    {
        const UpdatingGuard guard(m_bUpdating);
        showColor(c, hueOf(c));
    }
    if (changed)
        emit TarnChangeColor(c);
    emit ApplyColor();
}

void TarnColorArea::MouseReleaseSlot()
{
    emit ApplyColor();
}

void TarnColorArea::color_clicked()
{
    const auto *swatch = qobject_cast<DefaultColorArea *>(sender());
    if (!swatch)
        return;
    const QColor c = swatch->color();
    {
        // One propagation for the three boxes, not one per box.
        const QSignalBlocker red(m_pRgb[0]);
        const QSignalBlocker green(m_pRgb[1]);
        const QSignalBlocker blue(m_pRgb[2]);
        m_pRgb[0]->setValue(c.red());
        m_pRgb[1]->setValue(c.green());
        m_pRgb[2]->setValue(c.blue());
    }
    rgbChanged();
}
