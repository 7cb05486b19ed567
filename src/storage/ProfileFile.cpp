#include "ProfileFile.h"

#include "ProfileModel.h"
#include "SafeIni.h"
#include "StoragePaths.h"

#include <QDebug>
#include <QFileInfo>

namespace {

// Key names of one stored profile, built once for profile files: a profile has
// about 8,500 keys and is read five times at every load.
struct ButtonKeys
{
    QString ID, Fun, LoopNumber, KeyNumber, Res1, Res2, Res3, Res4, macroname;
    std::array<QString, kKeyInfoCount> map, L, H;
};

struct ProfileKeys
{
    QString pollrate, dpi, mousespeed, dbclickspeed, scrollispage, scrollspeed, accelenable, acee;
    QString ProfileName, ProfilePath, LedMode, LedMoveOFF, LedSleepTime;
    std::array<std::array<QString, 5>, kDpiLevelCount> dpi5; // used, link, xy, x, y
    std::array<ButtonKeys, kButtonEntryCount> buttons;
    std::array<std::array<QString, 6>, kLedModeCount> led6; // RGB, h, s, v, bright, breath

    // group: "PROFILE/" or "PROFILE_<n>/"
    explicit ProfileKeys(const QString &g)
    {
        pollrate = g + QStringLiteral("pollrate");
        dpi = g + QStringLiteral("dpi");
        mousespeed = g + QStringLiteral("mousespeed");
        dbclickspeed = g + QStringLiteral("dbclickspeed");
        scrollispage = g + QStringLiteral("scrollispage");
        scrollspeed = g + QStringLiteral("scrollspeed");
        accelenable = g + QStringLiteral("accelenable");
        acee = g + QStringLiteral("acee");
        ProfileName = g + QStringLiteral("ProfileName");
        ProfilePath = g + QStringLiteral("ProfilePath");
        LedMode = g + QStringLiteral("LedMode");
        LedMoveOFF = g + QStringLiteral("LedMoveOFF");
        LedSleepTime = g + QStringLiteral("LedSleepTime");
        static const char *const dpiNames[5] = {"_used", "_link", "_xy", "_x", "_y"};
        for (int i = 0; i < kDpiLevelCount; ++i) {
            const QString base = g + QStringLiteral("DPI_INFO_") + QString::number(i);
            for (int k = 0; k < 5; ++k)
                dpi5[size_t(i)][size_t(k)] = base + QLatin1String(dpiNames[k]);
        }
        for (int i = 0; i < kButtonEntryCount; ++i) {
            ButtonKeys &b = buttons[size_t(i)];
            const QString base = g + QStringLiteral("BUTTON_INFO_") + QString::number(i) + QLatin1Char('_');
            b.ID = base + QStringLiteral("ID");
            b.Fun = base + QStringLiteral("Fun");
            b.LoopNumber = base + QStringLiteral("LoopNumber");
            b.KeyNumber = base + QStringLiteral("KeyNumber");
            b.Res1 = base + QStringLiteral("Res1");
            b.Res2 = base + QStringLiteral("Res2");
            b.Res3 = base + QStringLiteral("Res3");
            b.Res4 = base + QStringLiteral("Res4");
            b.macroname = base + QStringLiteral("macroname");
            for (int j = 0; j < kKeyInfoCount; ++j) {
                const QString k = base + QStringLiteral("KeyInfo_") + QString::number(j) + QLatin1Char('_');
                b.map[size_t(j)] = k + QStringLiteral("map");
                b.L[size_t(j)] = k; // the low byte's key ends with the underscore
                b.H[size_t(j)] = k + QLatin1Char('H');
            }
        }
        static const char *const ledNames[6] = {"_RGB", "_h", "_s", "_v", "_bright", "_breath"};
        for (int m = 0; m < kLedModeCount; ++m) {
            const QString base = g + QStringLiteral("LedMode/LED_MODE_") + QString::number(m);
            for (int k = 0; k < 6; ++k)
                led6[size_t(m)][size_t(k)] = base + QLatin1String(ledNames[k]);
        }
    }
};

const ProfileKeys &profileFileKeys()
{
    static const ProfileKeys k(QStringLiteral("PROFILE/"));
    return k;
}

ProfileKeys exchangeKeys(int n)
{
    return ProfileKeys(QStringLiteral("PROFILE_") + QString::number(n) + QLatin1Char('/'));
}

std::uint8_t byteOf(const QVariant &v)
{
    return std::uint8_t(v.toInt());
}

std::uint32_t uintOf(const QVariant &v)
{
    return std::uint32_t(v.toLongLong());
}

// Reads one stored profile through s (anything with value(key[, missing])).
// withLedTimers: the keys that only profile files hold.
template <typename Source> void readGroup(const Source &s, const ProfileKeys &k, ProfileData &p, bool withLedTimers)
{
    p.pollrate = byteOf(s.value(k.pollrate));
    p.dpi = byteOf(s.value(k.dpi));
    for (int i = 0; i < kDpiLevelCount; ++i) {
        DpiLevel &d = p.dpiLevels[size_t(i)];
        const auto &n = k.dpi5[size_t(i)];
        d.used = byteOf(s.value(n[0]));
        d.link = byteOf(s.value(n[1]));
        d.xy = uintOf(s.value(n[2]));
        d.x = uintOf(s.value(n[3]));
        d.y = uintOf(s.value(n[4]));
    }
    p.mousespeed = byteOf(s.value(k.mousespeed));
    p.dbclickspeed = byteOf(s.value(k.dbclickspeed));
    p.scrollispage = byteOf(s.value(k.scrollispage));
    p.scrollspeed = byteOf(s.value(k.scrollspeed));
    p.accelenable = byteOf(s.value(k.accelenable));
    p.acee = byteOf(s.value(k.acee));
    for (int i = 0; i < kButtonEntryCount; ++i) {
        ButtonEntry &b = p.buttons[size_t(i)];
        const ButtonKeys &n = k.buttons[size_t(i)];
        b.ID = s.value(n.ID).toInt();
        b.Fun = s.value(n.Fun).toInt();
        b.LoopNumber = s.value(n.LoopNumber).toInt();
        b.KeyNumber = s.value(n.KeyNumber).toInt();
        b.Res1 = byteOf(s.value(n.Res1));
        b.Res2 = byteOf(s.value(n.Res2));
        b.Res3 = byteOf(s.value(n.Res3));
        b.Res4 = byteOf(s.value(n.Res4));
        b.macroname = s.value(n.macroname).toString();
        for (int j = 0; j < kKeyInfoCount; ++j) {
            KeyInfo &ki = b.keyInfo[size_t(j)];
            ki.map = byteOf(s.value(n.map[size_t(j)]));
            ki.L = byteOf(s.value(n.L[size_t(j)]));
            ki.H = byteOf(s.value(n.H[size_t(j)]));
        }
    }
    p.ProfileName = s.value(k.ProfileName).toString();
    p.ProfilePath = s.value(k.ProfilePath).toString();
    p.LedMode = byteOf(s.value(k.LedMode));
    if (withLedTimers) {
        p.LedMoveOFF = byteOf(s.value(k.LedMoveOFF, 255));
        p.LedSleepTime = byteOf(s.value(k.LedSleepTime, 1));
    }
    for (int m = 0; m < kLedModeCount; ++m) {
        LedModeSetting &l = p.ledModes[size_t(m)];
        const auto &n = k.led6[size_t(m)];
        l.RGB = s.value(n[0]).template value<QColor>();
        l.h = uintOf(s.value(n[1]));
        l.s = uintOf(s.value(n[2]));
        l.v = uintOf(s.value(n[3]));
        l.bright = uintOf(s.value(n[4]));
        l.breath = uintOf(s.value(n[5]));
    }
}

template <typename Sink> void writeGroup(Sink &s, const ProfileKeys &k, const ProfileData &p, bool withLedTimers)
{
    s.setValue(k.pollrate, int(p.pollrate));
    s.setValue(k.dpi, int(p.dpi));
    for (int i = 0; i < kDpiLevelCount; ++i) {
        const DpiLevel &d = p.dpiLevels[size_t(i)];
        const auto &n = k.dpi5[size_t(i)];
        s.setValue(n[0], int(d.used));
        s.setValue(n[1], int(d.link));
        s.setValue(n[2], uint(d.xy));
        s.setValue(n[3], uint(d.x));
        s.setValue(n[4], uint(d.y));
    }
    s.setValue(k.mousespeed, int(p.mousespeed));
    s.setValue(k.dbclickspeed, int(p.dbclickspeed));
    s.setValue(k.scrollispage, int(p.scrollispage));
    s.setValue(k.scrollspeed, int(p.scrollspeed));
    s.setValue(k.accelenable, int(p.accelenable));
    s.setValue(k.acee, int(p.acee));
    for (int i = 0; i < kButtonEntryCount; ++i) {
        const ButtonEntry &b = p.buttons[size_t(i)];
        const ButtonKeys &n = k.buttons[size_t(i)];
        s.setValue(n.ID, int(b.ID));
        s.setValue(n.Fun, int(b.Fun));
        s.setValue(n.LoopNumber, int(b.LoopNumber));
        s.setValue(n.KeyNumber, int(b.KeyNumber));
        s.setValue(n.Res1, int(b.Res1));
        s.setValue(n.Res2, int(b.Res2));
        s.setValue(n.Res3, int(b.Res3));
        s.setValue(n.Res4, int(b.Res4));
        s.setValue(n.macroname, b.macroname);
        for (int j = 0; j < kKeyInfoCount; ++j) {
            const KeyInfo &ki = b.keyInfo[size_t(j)];
            s.setValue(n.map[size_t(j)], int(ki.map));
            s.setValue(n.L[size_t(j)], int(ki.L));
            s.setValue(n.H[size_t(j)], int(ki.H));
        }
    }
    s.setValue(k.ProfileName, p.ProfileName);
    s.setValue(k.ProfilePath, p.ProfilePath);
    s.setValue(k.LedMode, int(p.LedMode));
    if (withLedTimers) {
        s.setValue(k.LedMoveOFF, int(p.LedMoveOFF));
        s.setValue(k.LedSleepTime, int(p.LedSleepTime));
    }
    for (int m = 0; m < kLedModeCount; ++m) {
        const LedModeSetting &l = p.ledModes[size_t(m)];
        const auto &n = k.led6[size_t(m)];
        s.setValue(n[0], l.RGB);
        s.setValue(n[1], uint(l.h));
        s.setValue(n[2], uint(l.s));
        s.setValue(n[3], uint(l.v));
        s.setValue(n[4], uint(l.bright));
        s.setValue(n[5], uint(l.breath));
    }
}

} // namespace

bool readProfileFile(const StorageDirs &dirs, ProfileData &profile, const QString &name)
{
    const QString path = profileFilePath(dirs, name);
    if (path.isEmpty()) {
        // An unsafe name reads like a missing file.
        profile = ProfileData();
        profile.LedMoveOFF = 255;
        profile.LedSleepTime = 1;
        return false;
    }
    SafeIni ini(path);
    readGroup(ini.settings(), profileFileKeys(), profile, true);
    return ini.existed();
}

bool writeProfileFile(const StorageDirs &dirs, const ProfileData &profile, const QString &name)
{
    const QString path = profileFilePath(dirs, name);
    if (path.isEmpty()) {
        qWarning("Profile \"%s\" not written", qPrintable(name));
        return false;
    }
    SafeIni settings(path, SafeIni::ReadWrite);
    writeGroup(settings.settings(), profileFileKeys(), profile, true);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool writeDefaultProfileFile(const StorageDirs &dirs)
{
    ProfileData p;
    makeDefaultProfile(dirs, p);
    return writeProfileFile(dirs, p, QStringLiteral("DefaultProfile"));
}

bool saveProfileDpi(const StorageDirs &dirs, const QString &name, int dpiLevel)
{
    const QString path = profileFilePath(dirs, name);
    if (path.isEmpty())
        return false;
    SafeIni ini(path, SafeIni::ReadWrite);
    ini->setValue(QStringLiteral("PROFILE/dpi"), dpiLevel);
    ini->sync();
    return ini->status() == QSettings::NoError;
}

void exportAllProfiles(const StorageDirs &, const AppConfig &config, const QString &filePath)
{
    const AppConfig copy = config;
    auto write = [&](auto &s) {
        s.setValue(QStringLiteral("Config/ProfileID"), int(copy.ProfileID));
        s.setValue(QStringLiteral("Config/AngleValue"), int(copy.AngleValue));
        s.setValue(QStringLiteral("Config/LiftHigh"), int(copy.LiftHigh));
        s.setValue(QStringLiteral("Config/Count"), int(copy.Count));
        for (int n = 0; n < kProfileCount; ++n)
            s.setValue(QStringLiteral("Config/Profile") + QString::number(n + 1), copy.profileNames[size_t(n)]);
        for (int n = 0; n < kProfileCount; ++n)
            writeGroup(s, exchangeKeys(n), copy.profiles[size_t(n)], false);
    };
    SafeIni settings(filePath, SafeIni::ReadWrite);
    write(settings.settings());
}

void importAllProfiles(const StorageDirs &, AppConfig &config, const QString &filePath)
{
    SafeIni ini(filePath);
    const QSettings &s = ini.settings();
    config.ProfileID = checkedProfileId(s.value(QStringLiteral("Config/ProfileID")).toInt(), filePath);
    config.AngleValue = std::uint8_t(s.value(QStringLiteral("Config/AngleValue")).toInt());
    config.LiftHigh = std::uint8_t(s.value(QStringLiteral("Config/LiftHigh")).toInt());
    config.Count = std::uint8_t(s.value(QStringLiteral("Config/Count")).toInt());
    for (int n = 0; n < kProfileCount; ++n) {
        QString name = s.value(QStringLiteral("Config/Profile") + QString::number(n + 1)).toString();
        if (!isSafeFileName(name)) {
            const QString fallback = QStringLiteral("Profile ") + QString::number(n + 1);
            qWarning("Slot name \"%s\" in %s is not a plain file name; using \"%s\"", qPrintable(name),
                     qPrintable(filePath), qPrintable(fallback));
            name = fallback;
        }
        config.profileNames[size_t(n)] = name;
        ProfileData &slot = config.profiles[size_t(n)];
        const std::uint8_t moveOff = slot.LedMoveOFF;
        const std::uint8_t sleepTime = slot.LedSleepTime;
        readGroup(s, exchangeKeys(n), slot, false);
        slot.LedMoveOFF = moveOff;
        slot.LedSleepTime = sleepTime;
    }
}

void writeProductTag(const StorageDirs &, const QString &productName, const QString &filePath)
{
    SafeIni settings(filePath, SafeIni::ReadWrite);
    settings->setValue(QStringLiteral("MouseName/Name"), productName);
}

QString readProductTag(const StorageDirs &, const QString &filePath)
{
    SafeIni ini(filePath);
    return ini->value(QStringLiteral("MouseName/Name")).toString();
}
