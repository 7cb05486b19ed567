#include "TarnDPIWindow.h"

#include "ConfigFile.h"
#include "DpiSensorRange.h"
#include "ModelDescription.h"
#include "MouseSession.h"
#include "TarnLabel.h"
#include "TarnSingleDPI.h"

#include <QDebug>

TarnDPIWindow::TarnDPIWindow(MouseSession &session, QWidget *parent)
    : TarnPage(parent)
    , m_Session(session)
    , m_ProfileData(session.workingConfig().activeProfile())
{
    setObjectName(QStringLiteral("dpiPanel"));
    m_iRowCount = dpiRowCount(readDpiCount(session.dirs()));

    m_pCaption = new TarnLabel(this);
    m_pCaption->setStyleSheet(QStringLiteral("background: transparent"));
    QPalette palette = m_pCaption->palette();
    palette.setColor(QPalette::WindowText, QColor(225, 225, 225));
    m_pCaption->setPalette(palette);
    designLayout().place(m_pCaption, 3, 3, 80, 17);

    for (int level = 0; level < kDpiLevelCount; ++level) {
        auto *row = new TarnSingleDPI(quint8(level), this);
        m_Rows[std::size_t(level)] = row;
        connect(row, &TarnSingleDPI::DPISignal, this, &TarnDPIWindow::onSliderChanged);
        connect(row, &TarnSingleDPI::LinkSignal, this, &TarnDPIWindow::onLinkChanged);
        connect(row, &TarnSingleDPI::MouseinSignal, this, &TarnDPIWindow::MouseinSignal);
        connect(row, &TarnSingleDPI::EnableSignal, this, &TarnDPIWindow::onEnableChanged);
        // Rows the model does not have take no room.
        if (level < m_iRowCount)
            designLayout().place(row, 15, 43 + 50 * level, 440, 48);
        else
            designLayout().place(row, 15, 43 + 50 * level, 0, 0);
        row->setVisible(level < m_iRowCount);
    }
    // The mouse's own DPI button moves the active level without a reload, so
    // unapplied edits of the levels stay.
    connect(&session, &MouseSession::dpiLevelReported, this, &TarnDPIWindow::followMouseLevel);

    retranslate();
    selectLevel(m_ProfileData.dpi);
}

void TarnDPIWindow::load(const ProfileData &profile)
{
    m_ProfileData = profile;
    m_iSensor = readSensor(m_Session.dirs());
    const QString product = readCurrentProductName(m_Session.dirs());
    for (int level = 0; level < kDpiLevelCount; ++level) {
        TarnSingleDPI *row = m_Rows[std::size_t(level)];
        DpiLevel &stored = m_ProfileData.dpiLevels[std::size_t(level)];
        row->setSensor(m_iSensor, product);
        row->setLink(stored.link);
        row->setUsed(stored.used);
        // A slider shows a code outside its band at the nearest end; the copy
        // Apply collects must hold what is shown, not the damaged code.
        const auto clamp = [row](std::uint32_t code) {
            return std::uint32_t(qBound(row->lowest(), int(qMin<std::uint32_t>(code, 0x7FFFFFFF)), row->highest()));
        };
        const std::uint32_t x = clamp(stored.x);
        const std::uint32_t y = clamp(stored.y);
        if (x != stored.x || y != stored.y)
            qWarning("DPI level %d holds codes %u/%u outside %d..%d for sensor %d; using %u/%u", level + 1, stored.x,
                     stored.y, row->lowest(), row->highest(), m_iSensor, x, y);
        stored.x = x;
        stored.y = y;
        row->setValues(int(x), int(y));
    }
    selectLevel(m_ProfileData.dpi);
}

void TarnDPIWindow::store(ProfileData &profile) const
{
    profile.dpi = m_ProfileData.dpi;
    profile.dpiLevels = m_ProfileData.dpiLevels;
}

void TarnDPIWindow::retranslate()
{
    m_pCaption->setText(tr("DPI"));
    for (TarnSingleDPI *row : m_Rows)
        row->retranslate();
}

void TarnDPIWindow::relayout()
{
    TarnPage::relayout();
    m_pCaption->refreshFont();
    for (TarnSingleDPI *row : m_Rows)
        row->relayout();
}

void TarnDPIWindow::selectLevel(int d)
{
    if (d < 0 || d >= kDpiLevelCount) {
        qWarning("active DPI level index %d is not one of the eight levels; no row is marked", d);
    } else {
        m_ProfileData.dpi = std::uint8_t(d);
    }
    for (TarnSingleDPI *row : m_Rows)
        row->setChosen(row->level() == d);
}

void TarnDPIWindow::followMouseLevel(int level)
{
    // The session has stored the level in the working copy already.
    selectLevel(level);
}

void TarnDPIWindow::onLinkChanged(quint8 link, quint8 level)
{
    m_ProfileData.dpiLevels[level % kDpiLevelCount].link = link;
    emit profileEdited();
}

void TarnDPIWindow::onEnableChanged(quint8 used, quint8 level)
{
    m_ProfileData.dpiLevels[level % kDpiLevelCount].used = used;
    emit profileEdited();
}

void TarnDPIWindow::onSliderChanged(int x, int y, quint8 level)
{
    DpiLevel &stored = m_ProfileData.dpiLevels[level % kDpiLevelCount];
    stored.x = std::uint32_t(x);
    stored.y = std::uint32_t(y);
    emit profileEdited();
}

void TarnDPIWindow::MouseinSignal(quint8 level)
{
    const bool changed = level != m_ProfileData.dpi;
    selectLevel(level);
    if (changed)
        emit profileEdited();
}
