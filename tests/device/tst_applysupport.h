#pragma once
// Pieces shared by the apply, macro upload and send procedure tests: a link to
// the simulated mouse in a configuration directory with a model description,
// independent report builders, and the delivered command traffic.

#include "DeviceTestSupport.h"

#include "MacroFile.h"
#include "ProfileData.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QtTest>

#include <initializer_list>
#include <vector>

using Report = mousesim::Report;

// A command report as the mouse expects it, checksum computed here.
inline Report report(std::uint8_t code, std::uint8_t p1, std::uint8_t p2, std::vector<std::uint8_t> data = {},
                     std::uint8_t tag = 0)
{
    Report r{};
    r[0] = 0x05;
    r[2] = 0xFA;
    r[3] = code;
    r[4] = p1;
    r[5] = p2;
    r[6] = std::uint8_t(data.size());
    r[7] = tag;
    for (std::size_t i = 0; i < data.size(); ++i)
        r[8 + i] = data[i];
    r[1] = std::uint8_t(((r[2] + r[3] + r[4] + r[5] + r[6] + r[7]) & 0xFF) ^ 0x66);
    return r;
}

inline Report closeReport(std::uint8_t code)
{
    return report(code, 0x7F, 0, {0x1A}, 0xD3);
}

inline QByteArray hexOf(const Report &r)
{
    return QByteArray(reinterpret_cast<const char *>(r.data()), int(r.size())).toHex(' ');
}

// The reports the mouse received, in order, without the status thread's queries.
inline std::vector<Report> delivered()
{
    std::vector<Report> out;
    for (const mousesim::TrafficEntry &e : sim().traffic())
        if (e.direction == mousesim::Direction::Out && !e.failed && e.bytes[3] != 0x48)
            out.push_back(e.bytes);
    return out;
}

// Commands whose write failed, without the status thread's queries.
inline int failedWrites()
{
    int n = 0;
    for (const mousesim::TrafficEntry &e : sim().traffic())
        n += (e.direction == mousesim::Direction::Out && e.failed && e.bytes[3] != 0x48) ? 1 : 0;
    return n;
}

// The command codes of the delivered reports, as text ("46 01 01 03 ...").
inline QByteArray codesOf(const std::vector<Report> &reports)
{
    QByteArray codes;
    for (const Report &r : reports)
        codes += QByteArray::number(r[3], 16).rightJustified(2, '0') + ' ';
    return codes.trimmed();
}

// The simulated mouse opened in its own directory with a model description:
// `buttons` buttons at device slots 0..n-1, `dpiLevels` DPI levels, the sensor.
struct ApplyRig
{
    explicit ApplyRig(int buttons = 8, int dpiLevels = 8, int sensor = 3360)
        : link(&clock)
    {
        setModel(buttons, dpiLevels, sensor);
        QDir().mkpath(dirs().macroDir());
        QDir().mkpath(dirs().profileDir());
    }

    const StorageDirs &dirs() const { return link.config.dirs(); }

    void setModel(int buttons, int dpiLevels, int sensor)
    {
        QSettings model(dirs().modelDescription(), QSettings::IniFormat);
        // The counts are stored XOR-scrambled with MouseDpi.
        model.setValue(QStringLiteral("PROFILE/MouseDpi"), 90);
        model.setValue(QStringLiteral("PROFILE/ButtonCount"), buttons ^ 90);
        model.setValue(QStringLiteral("PROFILE/DPICount"), dpiLevels ^ buttons);
        for (int i = 0; i < kModelButtonTableSize; ++i)
            model.setValue(QStringLiteral("PROFILE/BUTTON_INFO_%1_Matrix").arg(i), i);
        QSettings ini(dirs().configIni(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("MouseSenSor/1"), sensor);
    }

    void saveMacroActions(const QString &name, std::initializer_list<MacroAction> actions)
    {
        MacroRecord record;
        record.actions.assign(actions.begin(), actions.end());
        QVERIFY(saveMacro(dirs(), name, record));
    }

    VirtualDeviceClock clock;
    OpenLink link;
};

inline ButtonEntry macroEntry(const QString &name, int fun = kFunMacro)
{
    ButtonEntry e;
    e.Fun = fun;
    e.macroname = name;
    e.LoopNumber = 1;
    return e;
}

// A working copy with every slot filled with recognisable values.
inline AppConfig sampleConfig()
{
    AppConfig c;
    c.LiftHigh = 2;
    c.Count = 5;
    for (int s = 0; s < kProfileCount; ++s) {
        ProfileData &p = c.profiles[std::size_t(s)];
        c.profileNames[std::size_t(s)] = QStringLiteral("Slot %1").arg(s + 1);
        p.pollrate = std::uint8_t(1 << (s % 4));
        p.scrollspeed = std::uint8_t(s + 1);
        p.dpi = std::uint8_t(s);
        p.LedMode = std::uint8_t(s + 1);
        p.LedMoveOFF = std::uint8_t(0xF0 + s);
        p.LedSleepTime = std::uint8_t(3 + s);
        for (int i = 0; i < kDpiLevelCount; ++i) {
            DpiLevel &l = p.dpiLevels[std::size_t(i)];
            l.used = 1;
            l.link = 1;
            l.xy = l.x = l.y = std::uint32_t(8 * (i + 1) + s);
        }
        for (int b = 0; b < 7; ++b)
            p.buttons[std::size_t(b)].Fun = b + 1;
        p.buttons[40].Fun = 52;
        p.buttons[41].Fun = 53;
        for (int m = 0; m < kLedModeCount; ++m) {
            LedModeSetting &led = p.ledModes[std::size_t(m)];
            led.RGB = QColor(10 * m + s, 20 + m, 200 - m);
            led.bright = std::uint32_t(1 + m % 4);
            led.breath = std::uint32_t(1 + m % 5);
        }
    }
    return c;
}
