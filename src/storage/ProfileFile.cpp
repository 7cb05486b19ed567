#include "ProfileFile.h"

#include "IniReader.h"
#include "IniText.h"
#include "ProfileModel.h"
#include "SafeIni.h"
#include "StoragePaths.h"
#include "StoredFile.h"

#include <QDebug>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <numeric>
#include <vector>

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

// Built once: an import checks and reads all five groups.
const ProfileKeys &exchangeKeys(int n)
{
    static const std::array<ProfileKeys, kProfileCount> keys = [] {
        auto group = [](int i) { return QStringLiteral("PROFILE_") + QString::number(i) + QLatin1Char('/'); };
        return std::array<ProfileKeys, kProfileCount>{ProfileKeys(group(0)), ProfileKeys(group(1)),
                                                      ProfileKeys(group(2)), ProfileKeys(group(3)),
                                                      ProfileKeys(group(4))};
    }();
    return keys[size_t(n)];
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

// Collects what writeGroup stores as INI value texts, in call order.
struct TextSink
{
    std::vector<const QString *> keys;
    std::vector<QByteArray> values;

    QByteArray &next(const QString &key)
    {
        keys.push_back(&key);
        values.emplace_back();
        return values.back();
    }
    void setValue(const QString &key, int v) { next(key) = QByteArray::number(v); }
    void setValue(const QString &key, uint v) { next(key) = QByteArray::number(v); }
    void setValue(const QString &key, const QString &v) { appendIniText(next(key), v); }
    void setValue(const QString &key, const QColor &v) { appendIniColor(next(key), v); }
};

// The order in which QSettings writes the keys of a group: sorted by name. The
// calls of writeGroup come in a fixed order, so the permutation is computed once.
const std::vector<int> &profileFileKeyOrder(const TextSink &sink)
{
    static const std::vector<int> order = [&sink] {
        std::vector<int> o(sink.keys.size());
        std::iota(o.begin(), o.end(), 0);
        std::sort(o.begin(), o.end(), [&sink](int a, int b) { return *sink.keys[size_t(a)] < *sink.keys[size_t(b)]; });
        return o;
    }();
    return order;
}

} // namespace

QByteArray profileFileBytes(const ProfileData &profile)
{
    TextSink sink;
    sink.keys.reserve(9000);
    sink.values.reserve(9000);
    writeGroup(sink, profileFileKeys(), profile, true);
    const std::vector<int> &order = profileFileKeyOrder(sink);
    const QByteArray eol(iniLineEnd());
    const int group = int(QStringLiteral("PROFILE/").size());
    QByteArray out;
    out.reserve(int(sink.keys.size()) * 40);
    out += "[PROFILE]";
    out += eol;
    for (int i : order) {
        appendIniKey(out, sink.keys[size_t(i)]->mid(group));
        out += '=';
        out += sink.values[size_t(i)];
        out += eol;
    }
    return out;
}

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
    const IniReader ini(path);
    readProfile(ini, profile);
    return ini.existed();
}

void readProfile(const IniReader &ini, ProfileData &profile)
{
    readGroup(ini, profileFileKeys(), profile, true);
}

bool writeProfileFile(const StorageDirs &dirs, const ProfileData &profile, const QString &name)
{
    const QString path = profileFilePath(dirs, name);
    if (path.isEmpty()) {
        qWarning("Profile \"%s\" not written", qPrintable(name));
        return false;
    }
    const StoreResult result = storeFile(path, profileFileBytes(profile));
    if (!result.ok)
        qWarning("%s", qPrintable(result.message()));
    return result.ok;
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
    const StoreResult result = ini.commit();
    if (!result.ok)
        qWarning("%s", qPrintable(result.message()));
    return result.ok;
}

StoreResult exportAllProfiles(const StorageDirs &, const AppConfig &config, const QString &filePath)
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
    return settings.commit();
}

QString slotNameProblem(const std::array<QString, kProfileCount> &names, int slot)
{
    const QString &name = names[size_t(slot)];
    if (!isSafeFileName(name))
        return QStringLiteral("it is not a plain file name");
    // most file systems take 255 bytes; the temporary file written beside it needs room too
    const int fileBytes = (name + QStringLiteral(".prof")).toUtf8().size();
    if (fileBytes > kMaxProfileFileNameBytes)
        return QStringLiteral("it is too long for a file name (%1 bytes)").arg(fileBytes);
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral("it holds a control character");
        // refused by Windows file systems
        if (QStringLiteral("<>:\"|?*").contains(c))
            return QStringLiteral("it holds the character '%1'").arg(c);
    }
    if (name.endsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char('.')))
        return QStringLiteral("it ends with a space or a dot");
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (device.match(name).hasMatch())
        return QStringLiteral("it is the name of a Windows device");
    if (name.compare(QLatin1String("DefaultProfile"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("the default profile is stored under that name");
    for (int other = 0; other < slot; ++other) {
        if (names[size_t(other)].compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral("slot %1 has that name").arg(other + 1);
    }
    return QString();
}

namespace {

// Every key of exchange group n, in the order writeGroup stores them.
const std::vector<const QString *> &exchangeKeyList(int n)
{
    static const std::array<std::vector<const QString *>, kProfileCount> lists = [] {
        std::array<std::vector<const QString *>, kProfileCount> l;
        for (int i = 0; i < kProfileCount; ++i) {
            TextSink sink;
            writeGroup(sink, exchangeKeys(i), ProfileData(), false);
            l[size_t(i)] = sink.keys;
        }
        return l;
    }();
    return lists[size_t(n)];
}

} // namespace

QString configFileDamage(const QString &filePath)
{
    return configFileDamage(IniReader(filePath));
}

QString configFileDamage(const IniReader &s)
{
    static const char *const header[] = {"ProfileID", "AngleValue", "LiftHigh", "Count",   "Profile1",
                                         "Profile2",  "Profile3",   "Profile4", "Profile5"};
    for (const char *key : header) {
        if (!s.contains(QStringLiteral("Config/") + QLatin1String(key)))
            return QStringLiteral("Config/%1 is missing").arg(QLatin1String(key));
    }
    // A group cut short is as damaged as a missing one: every slot holds every key.
    for (int n = 0; n < kProfileCount; ++n) {
        for (const QString *key : exchangeKeyList(n)) {
            if (!s.contains(*key))
                return QStringLiteral("%1 is missing").arg(*key);
        }
    }
    return QString();
}

QString importAllProfiles(const StorageDirs &, AppConfig &config, const QString &filePath)
{
    return importAllProfiles(IniReader(filePath), config, filePath);
}

QString importAllProfiles(const IniReader &s, AppConfig &config, const QString &filePath)
{
    const QString damage = configFileDamage(s);
    if (!damage.isEmpty()) {
        qWarning("Configuration file %s is damaged (%s); not imported", qPrintable(filePath), qPrintable(damage));
        return damage;
    }
    std::array<QString, kProfileCount> names;
    for (int n = 0; n < kProfileCount; ++n)
        names[size_t(n)] = s.value(QStringLiteral("Config/Profile") + QString::number(n + 1)).toString();
    for (int n = 0; n < kProfileCount; ++n) {
        const QString problem = slotNameProblem(names, n);
        if (!problem.isEmpty()) {
            const QString text =
                QStringLiteral("slot %1 cannot be named \"%2\": %3").arg(n + 1).arg(names[size_t(n)], problem);
            qWarning("Configuration file %s: %s; not imported", qPrintable(filePath), qPrintable(text));
            return text;
        }
    }
    AppConfig imported = config;
    imported.ProfileID = checkedProfileId(s.value(QStringLiteral("Config/ProfileID")).toInt(), filePath);
    imported.AngleValue = std::uint8_t(s.value(QStringLiteral("Config/AngleValue")).toInt());
    imported.LiftHigh = std::uint8_t(s.value(QStringLiteral("Config/LiftHigh")).toInt());
    imported.Count = std::uint8_t(s.value(QStringLiteral("Config/Count")).toInt());
    for (int n = 0; n < kProfileCount; ++n) {
        imported.profileNames[size_t(n)] = names[size_t(n)];
        ProfileData &slot = imported.profiles[size_t(n)];
        const std::uint8_t moveOff = slot.LedMoveOFF;
        const std::uint8_t sleepTime = slot.LedSleepTime;
        readGroup(s, exchangeKeys(n), slot, false);
        slot.LedMoveOFF = moveOff;
        slot.LedSleepTime = sleepTime;
    }
    config = imported;
    return QString();
}

StoreResult writeProductTag(const StorageDirs &, const QString &productName, const QString &filePath)
{
    SafeIni settings(filePath, SafeIni::ReadWrite);
    settings->setValue(QStringLiteral("MouseName/Name"), productName);
    return settings.commit();
}

QString readProductTag(const StorageDirs &, const QString &filePath)
{
    return readProductTag(IniReader(filePath));
}

QString readProductTag(const IniReader &ini)
{
    return ini.value(QStringLiteral("MouseName/Name")).toString();
}
