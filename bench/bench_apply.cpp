// Time of a full apply and of a lighting-only apply against the simulated
// mouse in real time (real pauses, the mouse's real-time reads), next to the
// floor set by the fixed 10 ms pause after each report written.

#include "ApplySequence.h"
#include "DeviceLink.h"
#include "MacroFile.h"
#include "MouseSim.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr int kMacros = 2;

AppConfig benchConfig()
{
    AppConfig c;
    c.LiftHigh = 2;
    for (int s = 0; s < kProfileCount; ++s) {
        ProfileData &p = c.profiles[std::size_t(s)];
        p.pollrate = 1;
        p.LedMode = 1;
        for (DpiLevel &l : p.dpiLevels) {
            l.used = 1;
            l.x = l.y = 40;
        }
        for (int b = 0; b < 6; ++b)
            p.buttons[std::size_t(b)].Fun = b + 1;
        for (LedModeSetting &m : p.ledModes) {
            m.RGB = QColor(255, 0, 0);
            m.bright = 3;
            m.breath = 3;
        }
    }
    for (int m = 0; m < kMacros; ++m) {
        ButtonEntry &b = c.profiles[0].buttons[std::size_t(6 + m)];
        b.Fun = kFunMacro;
        b.macroname = QStringLiteral("bench%1").arg(m);
    }
    return c;
}

struct Figures
{
    double medianMs = 0;
    int writes = 0;
};

Figures measure(DeviceLink &link, const AppConfig &config, ChangeMask mask)
{
    std::vector<double> times;
    int writes = 0;
    ApplySequence apply(link);
    // Like the program: a lighting apply follows a button table whose macros
    // were uploaded with it, so it sends none.
    apply.ApplyToDevice(config, kChangeButtons);
    for (int run = 0; run < kRuns; ++run) {
        mousesim::MouseSim::instance().clearTraffic();
        QElapsedTimer timer;
        timer.start();
        const DeviceResult result = apply.ApplyToDevice(config, mask);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (result != kResultOk)
            std::printf("apply failed with %d\n", result);
        writes = 0;
        for (const mousesim::TrafficEntry &e : mousesim::MouseSim::instance().traffic())
            writes += e.direction == mousesim::Direction::Out ? 1 : 0;
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], writes};
}

void print(const char *name, const Figures &f, int macroPauses)
{
    const double floorMs = f.writes * 10.0;
    std::printf("%-16s %8.1f ms  reports written %3d  floor %6.1f ms  ratio %.3f"
                "  (plus %d ms of pauses after packing macros)\n",
                name, f.medianMs, f.writes, floorMs, f.medianMs / floorMs, macroPauses);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QTemporaryDir tmp;
    const StorageDirs dirs = StorageDirs::fromAppDir(tmp.path());
    QDir().mkpath(dirs.macroDir());
    {
        QSettings ini(dirs.configIni(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Mouse_List/0"), QStringLiteral("Bench Mouse"));
        ini.setValue(QStringLiteral("MouseSenSor/1"), 3360);
        QSettings model(dirs.modelDescription(), QSettings::IniFormat);
        model.setValue(QStringLiteral("PROFILE/ButtonCount"), 8);
        model.setValue(QStringLiteral("PROFILE/MouseDpi"), 0);
        model.setValue(QStringLiteral("PROFILE/DPICount"), 0);
        for (int i = 0; i < kModelButtonTableSize; ++i)
            model.setValue(QStringLiteral("PROFILE/BUTTON_INFO_%1_Matrix").arg(i), i);
    }
    for (int m = 0; m < kMacros; ++m) {
        MacroRecord macro;
        for (int i = 0; i < 20; ++i)
            macro.actions.push_back(macroKeyAction(std::uint8_t(4 + i), i % 2 == 0));
        saveMacro(dirs, QStringLiteral("bench%1").arg(m), macro);
    }

    mousesim::MouseSim::instance().reset(); // receiver plugged, real time
    DeviceLink link(dirs);                  // real pauses
    link.LoadDeviceTable();
    link.EnumerateDevices();
    link.OpenDevice("Bench Mouse");
    if (!link.hasCommandHandle()) {
        std::printf("the simulated mouse was not found\n");
        return 1;
    }

    const AppConfig config = benchConfig();
    std::printf("median of %d runs, simulated mouse in real time\n", kRuns);
    print("full apply", measure(link, config, kChangeAll), kMacros * 50);
    print("lighting only", measure(link, config, kChangeLighting), 0);
    link.CloseDevice();
    return 0;
}
