#pragma once
// The DPI levels of the current profile, on the "DPI" tab: one row per level
// the model has, each with its X and Y codes, link and on/off state, and the
// choice of the active level. It edits a private copy that Apply collects
// with store(); a reload drops what was not applied. The sensor (and with it
// each row's band of codes) is read again on every load.

#include "TarnPage.h"

#include <array>

class MouseSession;
class TarnLabel;
class TarnSingleDPI;

class TarnDPIWindow : public TarnPage
{
    Q_OBJECT
public:
    explicit TarnDPIWindow(MouseSession &session, QWidget *parent = nullptr);

    void load(const ProfileData &profile) override;
    void store(ProfileData &profile) const override;
    void retranslate() override;
    void relayout() override;

    // Makes level d the active one and marks its row. A level the rows do not
    // have (a damaged file) marks none.
    void selectLevel(int d);

    int sensor() const { return m_iSensor; }
    int rowCount() const { return m_iRowCount; }
    TarnSingleDPI *row(int level) const { return m_Rows[std::size_t(level)]; }

public slots:
    void onLinkChanged(quint8 link, quint8 level);
    void onEnableChanged(quint8 used, quint8 level);
    void onSliderChanged(int x, int y, quint8 level);
    void MouseinSignal(quint8 level);

private:
    void followMouseLevel(int level);

    MouseSession &m_Session;
    ProfileData m_ProfileData;
    int m_iSensor = 3325;
    int m_iRowCount = kDpiLevelCount;
    TarnLabel *m_pCaption = nullptr;
    std::array<TarnSingleDPI *, kDpiLevelCount> m_Rows{};
};
