#pragma once

// The "Virtual mouse" window: plugs and pulls the simulated receiver and
// cable, presses the mouse's own buttons, sets battery, charging and sleep,
// arms faults and shows the packet log as it grows.
//
// The model's listeners run on whatever thread changed it (often the
// utility's status thread), so the listener only records what changed; a
// timer on the GUI thread brings the controls and the log up to date.

#include "MouseSim.h"

#include <QWidget>

#include <atomic>
#include <cstddef>
#include <memory>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTimer;

class VirtualMouseWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kRefreshIntervalMs = 100;
    static constexpr int kMaxLogLines = 2000;
    static constexpr int kBatterySliderMin = 600;
    static constexpr int kBatterySliderMax = 1100;

    // Steers MouseSim::instance().
    explicit VirtualMouseWindow(QWidget *parent = nullptr);
    explicit VirtualMouseWindow(mousesim::MouseSim &sim, QWidget *parent = nullptr);
    ~VirtualMouseWindow() override;

public slots:
    // Brings controls and log up to date with what changed since the last
    // call; the timer calls it, tests may call it directly.
    void refresh();

private slots:
    void onBatteryChanged(int reading);
    void slotClearLog();

private:
    void buildUi();
    void armFault(int fault);
    void syncPlug();
    void syncState();
    void showBatteryReading(int reading);
    void appendTraffic();

    mousesim::MouseSim &m_sim;
    // Shared with the listener so that a call already in flight on another
    // thread when the window goes away still writes to live memory.
    std::shared_ptr<std::atomic<unsigned>> m_pPending;
    int m_iListener = 0;

    QTimer *m_pRefreshTimer = nullptr;
    QCheckBox *m_pReceiverBox = nullptr;
    QCheckBox *m_pCableBox = nullptr;
    QCheckBox *m_pSecondBox = nullptr;
    QPushButton *m_pProfileButton = nullptr;
    QPushButton *m_pDpiButton = nullptr;
    QPushButton *m_pRateButton = nullptr;
    QPushButton *m_pEffectButton = nullptr;
    QLabel *m_pStateLabel = nullptr;
    QSlider *m_pBatterySlider = nullptr;
    QLabel *m_pBatteryLabel = nullptr;
    QCheckBox *m_pChargingBox = nullptr;
    QCheckBox *m_pAsleepBox = nullptr;
    QSpinBox *m_pFaultCount = nullptr;
    QPlainTextEdit *m_pLog = nullptr;
    QPushButton *m_pClearLogButton = nullptr;

    // Where the log view stands in the model's traffic log.
    std::uint64_t m_uNextEntry = 0; // the model's count of entries logged when last shown
};
