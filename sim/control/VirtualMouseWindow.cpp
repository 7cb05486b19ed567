#include "VirtualMouseWindow.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStringList>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>
#include <QtDebug>

#include <algorithm>

using mousesim::Direction;
using mousesim::Identity;
using mousesim::MouseSim;
using mousesim::TrafficEntry;

namespace {

enum Fault { DropAnswers, CorruptEcho, ForeignReports, ZeroAnswers, FailWrites, FailReads, PullReceiver, PullCable };

struct FaultButton
{
    Fault fault;
    const char *objectName;
    const char *text;
    const char *toolTip;
};

const FaultButton kFaultButtons[] = {
    {DropAnswers, "dropAnswers", "Drop answers", "The next N answers are never sent"},
    {CorruptEcho, "corruptDataEcho", "Corrupt echo", "The next N data echoes carry a wrong data byte"},
    {ForeignReports, "foreignReports", "Foreign first", "A status report arrives ahead of each of the next N answers"},
    {ZeroAnswers, "zeroAnswers", "Zero answers", "The next N answers are all-zero reports"},
    {FailWrites, "failWrites", "Fail writes", "The next N writes fail"},
    {FailReads, "failReads", "Fail reads", "The next N reads fail"},
    {PullReceiver, "pullReceiver", "Pull receiver", "The receiver is pulled after N more packets"},
    {PullCable, "pullCable", "Pull cable", "The cable is pulled after N more packets"},
};

// The utility's reading of a status answer, with its default full level.
int millivolts(int reading)
{
    return reading * 990 / 240;
}

int batteryPercent(int reading)
{
    static const int kBounds[][2] = {{4100, 90}, {4000, 80}, {3900, 70}, {3800, 60},
                                     {3700, 50}, {3500, 40}, {3400, 30}, {3200, 20}};
    if (millivolts(reading) >= 4200)
        return 100;
    for (const auto &b : kBounds)
        if (reading * 990 >= b[0] * 240)
            return b[1];
    return 10;
}

QString rateText(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("1000 Hz");
    case 2:
        return QStringLiteral("500 Hz");
    case 4:
        return QStringLiteral("250 Hz");
    case 8:
        return QStringLiteral("125 Hz");
    default:
        return QStringLiteral("?");
    }
}

QString formatEntry(const TrafficEntry &e)
{
    QString line;
    line.reserve(128);
    line += e.direction == Direction::Out ? QChar(0x2192) : QChar(0x2190);
    line += QStringLiteral(" %1 ").arg(double(e.timeUs) / 1000.0, 9, 'f', 3);
    static const char *const kIdentityTags[mousesim::kIdentityCount] = {"rcv", "cbl", "2nd"};
    line += QLatin1String(kIdentityTags[static_cast<int>(e.identity)]);
    static const char kHex[] = "0123456789ABCDEF";
    for (std::uint8_t b : e.bytes) {
        line += QLatin1Char(' ');
        line += QLatin1Char(kHex[b >> 4]);
        line += QLatin1Char(kHex[b & 0x0F]);
    }
    if (e.failed)
        line += QStringLiteral(" failed");
    return line;
}

} // namespace

VirtualMouseWindow::VirtualMouseWindow(QWidget *parent)
    : VirtualMouseWindow(MouseSim::instance(), parent)
{
}

VirtualMouseWindow::VirtualMouseWindow(MouseSim &sim, QWidget *parent)
    : QWidget(parent)
    , m_sim(sim)
    , m_pPending(std::make_shared<std::atomic<unsigned>>(0u))
{
    setWindowTitle(QStringLiteral("Virtual mouse"));
    buildUi();

    std::shared_ptr<std::atomic<unsigned>> pending = m_pPending;
    m_iListener = m_sim.addListener([pending](unsigned changes) { pending->fetch_or(changes); });

    syncPlug();
    syncState();
    appendTraffic();

    m_pRefreshTimer = new QTimer(this);
    m_pRefreshTimer->setInterval(kRefreshIntervalMs);
    connect(m_pRefreshTimer, &QTimer::timeout, this, &VirtualMouseWindow::refresh);
    m_pRefreshTimer->start();
}

VirtualMouseWindow::~VirtualMouseWindow()
{
    m_sim.removeListener(m_iListener);
}

void VirtualMouseWindow::buildUi()
{
    auto *root = new QVBoxLayout(this);
    // Group titles already separate the rows; tighter vertical margins keep
    // the window short enough to sit beside the utility.
    const QMargins groupMargins(8, 4, 8, 6);

    // Connection, battery, charging and sleep
    auto *power = new QGroupBox(tr("Connection and battery"), this);
    auto *powerGrid = new QGridLayout(power);
    powerGrid->setContentsMargins(groupMargins);
    m_pReceiverBox = new QCheckBox(tr("Rece&iver plugged"), power);
    m_pReceiverBox->setObjectName(QStringLiteral("receiverPlugged"));
    m_pCableBox = new QCheckBox(tr("Ca&ble plugged"), power);
    m_pCableBox->setObjectName(QStringLiteral("cablePlugged"));
    m_pSecondBox = new QCheckBox(tr("Second &model plugged"), power);
    m_pSecondBox->setObjectName(QStringLiteral("secondModelPlugged"));
    m_pSecondBox->setToolTip(tr("The receiver of another model (product ID FA12)"));
    m_pChargingBox = new QCheckBox(tr("C&harging"), power);
    m_pChargingBox->setObjectName(QStringLiteral("charging"));
    m_pAsleepBox = new QCheckBox(tr("&Asleep"), power);
    m_pAsleepBox->setObjectName(QStringLiteral("asleep"));
    powerGrid->addWidget(m_pReceiverBox, 0, 0);
    powerGrid->addWidget(m_pCableBox, 0, 1);
    powerGrid->addWidget(m_pChargingBox, 1, 0);
    powerGrid->addWidget(m_pAsleepBox, 1, 1);
    powerGrid->setColumnStretch(2, 1);
    auto *sliderRow = new QHBoxLayout;
    auto *sliderLabel = new QLabel(tr("Readin&g:"), power);
    m_pBatterySlider = new QSlider(Qt::Horizontal, power);
    m_pBatterySlider->setObjectName(QStringLiteral("batterySlider"));
    m_pBatterySlider->setRange(kBatterySliderMin, kBatterySliderMax);
    m_pBatterySlider->setSingleStep(1);
    m_pBatterySlider->setPageStep(10);
    m_pBatterySlider->setToolTip(tr("Raw battery reading of the status answer"));
    sliderLabel->setBuddy(m_pBatterySlider);
    m_pBatteryLabel = new QLabel(power);
    m_pBatteryLabel->setObjectName(QStringLiteral("batteryValue"));
    // Wide enough for the longest text, so dragging does not shift the slider.
    m_pBatteryLabel->setMinimumWidth(
        m_pBatteryLabel->fontMetrics().horizontalAdvance(QStringLiteral("0000 · 00000 mV · 100 %")));
    sliderRow->addWidget(sliderLabel);
    sliderRow->addWidget(m_pBatterySlider, 1);
    sliderRow->addWidget(m_pBatteryLabel);
    powerGrid->addLayout(sliderRow, 2, 0, 1, 3);
    powerGrid->addWidget(m_pSecondBox, 3, 0, 1, 2);
    powerGrid->setVerticalSpacing(2); // four rows, and the window still fits beside the utility
    connect(m_pReceiverBox, &QCheckBox::toggled, this, [this](bool on) { m_sim.plug(Identity::Receiver, on); });
    connect(m_pCableBox, &QCheckBox::toggled, this, [this](bool on) { m_sim.plug(Identity::Cable, on); });
    connect(m_pSecondBox, &QCheckBox::toggled, this, [this](bool on) { m_sim.plug(Identity::SecondModel, on); });
    connect(m_pBatterySlider, &QSlider::valueChanged, this, &VirtualMouseWindow::onBatteryChanged);
    connect(m_pChargingBox, &QCheckBox::toggled, this, [this](bool on) { m_sim.setCharging(on ? 1 : 0); });
    connect(m_pAsleepBox, &QCheckBox::toggled, this, [this](bool on) { m_sim.setAsleep(on); });
    root->addWidget(power);

    // The mouse's own buttons
    auto *buttons = new QGroupBox(tr("Mouse buttons"), this);
    auto *buttonGrid = new QGridLayout(buttons);
    buttonGrid->setContentsMargins(groupMargins);
    m_pProfileButton = new QPushButton(tr("&Profile"), buttons);
    m_pProfileButton->setObjectName(QStringLiteral("profileButton"));
    m_pDpiButton = new QPushButton(tr("&DPI level"), buttons);
    m_pDpiButton->setObjectName(QStringLiteral("dpiButton"));
    m_pRateButton = new QPushButton(tr("&Report rate"), buttons);
    m_pRateButton->setObjectName(QStringLiteral("rateButton"));
    m_pEffectButton = new QPushButton(tr("&Effect"), buttons);
    m_pEffectButton->setObjectName(QStringLiteral("effectButton"));
    buttonGrid->addWidget(m_pProfileButton, 0, 0);
    buttonGrid->addWidget(m_pDpiButton, 0, 1);
    buttonGrid->addWidget(m_pRateButton, 0, 2);
    buttonGrid->addWidget(m_pEffectButton, 0, 3);
    m_pStateLabel = new QLabel(buttons);
    m_pStateLabel->setObjectName(QStringLiteral("firmwareState"));
    m_pStateLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    buttonGrid->addWidget(m_pStateLabel, 1, 0, 1, 4);
    connect(m_pProfileButton, &QPushButton::clicked, this, [this] { m_sim.pressProfileButton(); });
    connect(m_pDpiButton, &QPushButton::clicked, this, [this] { m_sim.pressDpiButton(); });
    connect(m_pRateButton, &QPushButton::clicked, this, [this] { m_sim.pressRateButton(); });
    connect(m_pEffectButton, &QPushButton::clicked, this, [this] { m_sim.pressEffectButton(); });
    root->addWidget(buttons);

    // Faults
    auto *faults = new QGroupBox(tr("Faults"), this);
    auto *faultGrid = new QGridLayout(faults);
    faultGrid->setContentsMargins(groupMargins);
    auto *countLabel = new QLabel(tr("Cou&nt (N):"), faults);
    m_pFaultCount = new QSpinBox(faults);
    m_pFaultCount->setObjectName(QStringLiteral("faultCount"));
    m_pFaultCount->setRange(0, 9999);
    m_pFaultCount->setValue(1);
    m_pFaultCount->setToolTip(tr("How many answers, writes, reads or packets the next fault applies to"));
    countLabel->setBuddy(m_pFaultCount);
    faultGrid->addWidget(countLabel, 0, 0);
    faultGrid->addWidget(m_pFaultCount, 0, 1);
    QWidget *previous = m_pFaultCount;
    int index = 0;
    for (const FaultButton &f : kFaultButtons) {
        auto *b = new QPushButton(tr(f.text), faults);
        b->setObjectName(QLatin1String(f.objectName));
        b->setToolTip(tr(f.toolTip));
        const int row = 1 + index / 3;
        const int column = index % 3;
        faultGrid->addWidget(b, row, column);
        const int fault = f.fault;
        connect(b, &QPushButton::clicked, this, [this, fault] { armFault(fault); });
        setTabOrder(previous, b);
        previous = b;
        ++index;
    }
    auto *clearFaults = new QPushButton(tr("Clear faults"), faults);
    clearFaults->setObjectName(QStringLiteral("clearFaults"));
    faultGrid->addWidget(clearFaults, 1 + index / 3, index % 3);
    connect(clearFaults, &QPushButton::clicked, this, [this] {
        m_sim.clearFaults();
        qDebug("Virtual mouse: faults cleared");
    });
    setTabOrder(previous, clearFaults);
    for (int c = 0; c < 3; ++c)
        faultGrid->setColumnStretch(c, 1);
    root->addWidget(faults);

    // Packet log
    auto *logBox = new QGroupBox(tr("Packet log"), this);
    auto *logLayout = new QVBoxLayout(logBox);
    logLayout->setContentsMargins(groupMargins);
    m_pLog = new QPlainTextEdit(logBox);
    m_pLog->setObjectName(QStringLiteral("packetLog"));
    m_pLog->setReadOnly(true);
    m_pLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pLog->setMaximumBlockCount(kMaxLogLines);
    m_pLog->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_pLog->setTabChangesFocus(true);
    // Small enough to keep the window beside the utility; it grows with the window.
    m_pLog->setMinimumHeight(m_pLog->fontMetrics().lineSpacing() * 5);
    m_pClearLogButton = new QPushButton(tr("Clear &log"), logBox);
    m_pClearLogButton->setObjectName(QStringLiteral("clearLog"));
    connect(m_pClearLogButton, &QPushButton::clicked, this, &VirtualMouseWindow::slotClearLog);
    logLayout->addWidget(m_pLog, 1);
    auto *logButtons = new QHBoxLayout;
    logButtons->addStretch(1);
    logButtons->addWidget(m_pClearLogButton);
    logLayout->addLayout(logButtons);
    root->addWidget(logBox, 1);

    setTabOrder(m_pReceiverBox, m_pCableBox);
    setTabOrder(m_pCableBox, m_pChargingBox);
    setTabOrder(m_pChargingBox, m_pAsleepBox);
    setTabOrder(m_pAsleepBox, m_pBatterySlider);
    setTabOrder(m_pBatterySlider, m_pProfileButton);
    setTabOrder(m_pProfileButton, m_pDpiButton);
    setTabOrder(m_pDpiButton, m_pRateButton);
    setTabOrder(m_pRateButton, m_pEffectButton);
    setTabOrder(m_pEffectButton, m_pFaultCount);
    setTabOrder(clearFaults, m_pLog);
    setTabOrder(m_pLog, m_pClearLogButton);

    resize(440, 600);
}

void VirtualMouseWindow::armFault(int fault)
{
    const int n = m_pFaultCount->value();
    switch (Fault(fault)) {
    case DropAnswers:
        m_sim.dropAnswers(n);
        break;
    case CorruptEcho:
        m_sim.corruptDataEcho(n);
        break;
    case ForeignReports:
        m_sim.foreignReportsBeforeEcho(n);
        break;
    case ZeroAnswers:
        m_sim.zeroAnswers(n);
        break;
    case FailWrites:
        m_sim.failWrites(n);
        break;
    case FailReads:
        m_sim.failReads(n);
        break;
    case PullReceiver:
        m_sim.pullAfterPackets(Identity::Receiver, n);
        break;
    case PullCable:
        m_sim.pullAfterPackets(Identity::Cable, n);
        break;
    }
    qDebug("Virtual mouse: fault %s armed with count %d", kFaultButtons[fault].objectName, n);
}

void VirtualMouseWindow::refresh()
{
    const unsigned changes = m_pPending->exchange(0u);
    if (changes & mousesim::ChangePlug)
        syncPlug();
    if (changes & mousesim::ChangeState)
        syncState();
    if (changes & mousesim::ChangeTraffic)
        appendTraffic();
}

void VirtualMouseWindow::syncPlug()
{
    const QSignalBlocker receiverBlock(m_pReceiverBox);
    const QSignalBlocker cableBlock(m_pCableBox);
    const QSignalBlocker secondBlock(m_pSecondBox);
    m_pReceiverBox->setChecked(m_sim.isPlugged(Identity::Receiver));
    m_pCableBox->setChecked(m_sim.isPlugged(Identity::Cable));
    m_pSecondBox->setChecked(m_sim.isPlugged(Identity::SecondModel));
}

void VirtualMouseWindow::syncState()
{
    const mousesim::FirmwareState fw = m_sim.firmwareState();
    const std::size_t p = std::min<std::size_t>(fw.profile, mousesim::kProfiles - 1);
    m_pStateLabel->setText(tr("Profile %1 · DPI level %2 · rate %3 (%4) · effect %5")
                               .arg(int(fw.profile) + 1)
                               .arg(int(fw.dpiLevel[p]) + 1)
                               .arg(int(fw.rate[p]))
                               .arg(rateText(fw.rate[p]))
                               .arg(int(fw.effect)));
    const QSignalBlocker asleepBlock(m_pAsleepBox);
    m_pAsleepBox->setChecked(m_sim.isAsleep());
    // Shown as the model has them, whoever set them; not written back.
    const int reading = m_sim.battery();
    {
        const QSignalBlocker sliderBlock(m_pBatterySlider);
        m_pBatterySlider->setValue(reading);
    }
    showBatteryReading(reading);
    const QSignalBlocker chargingBlock(m_pChargingBox);
    m_pChargingBox->setChecked(m_sim.chargeState() != 0);
}

void VirtualMouseWindow::onBatteryChanged(int reading)
{
    m_sim.setBattery(std::uint16_t(reading));
    showBatteryReading(reading);
}

void VirtualMouseWindow::showBatteryReading(int reading)
{
    m_pBatteryLabel->setText(
        tr("%1 · %2 mV · %3 %").arg(reading).arg(millivolts(reading)).arg(batteryPercent(reading)));
}

void VirtualMouseWindow::slotClearLog()
{
    // Only the view: the model's log is what tests and benchmarks read.
    m_pLog->clear();
}

void VirtualMouseWindow::appendTraffic()
{
    const std::vector<TrafficEntry> log = m_sim.trafficSince(m_uNextEntry);
    if (log.empty())
        return;

    std::size_t from = 0;
    QStringList lines;
    if (log.size() > std::size_t(kMaxLogLines)) {
        from = log.size() - std::size_t(kMaxLogLines - 1);
        lines << tr("… %1 earlier entries not shown").arg(qulonglong(from));
    }
    for (std::size_t i = from; i < log.size(); ++i)
        lines << formatEntry(log[i]);
    m_pLog->appendPlainText(lines.join(QLatin1Char('\n')));
    // Appending leaves the cursor, and so the view, at the end of the last
    // line; keep the start of each line (direction, time, command bytes) in view.
    QTextCursor cursor = m_pLog->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.movePosition(QTextCursor::StartOfBlock);
    m_pLog->setTextCursor(cursor);
    m_pLog->horizontalScrollBar()->setValue(0);
}
