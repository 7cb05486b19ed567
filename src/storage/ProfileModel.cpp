#include "ProfileModel.h"

#include "MacroFile.h"
#include "ModelDescription.h"

#include <QDebug>
#include <QtGlobal>

#include <limits>

void makeDefaultProfile(const StorageDirs &dirs, ProfileData &profile)
{
    ModelDefaults model;
    makeDefaultProfile(readModelDefaults(dirs, model) == 0 ? &model : nullptr, profile);
}

void makeDefaultProfile(const ModelDefaults *model, ProfileData &profile)
{
    profile = ProfileData();
    profile.pollrate = 1;
    profile.dpi = 1;
    profile.LedMode = 1;
    profile.mousespeed = 10;
    profile.dbclickspeed = 5;
    profile.scrollispage = 0;
    profile.scrollspeed = 1;
    profile.accelenable = 1;
    profile.acee = 1;
    profile.LedMoveOFF = 255;
    profile.LedSleepTime = 1;

    if (model) {
        profile.pollrate = model->pollrate;
        profile.dpi = model->dpi;
        profile.LedMode = model->LedMode;
        for (int i = 0; i < kDpiLevelCount; ++i) {
            DpiLevel &d = profile.dpiLevels[size_t(i)];
            d.used = 1;
            d.link = 1;
            d.xy = d.x = d.y = model->dpiXy[size_t(i)];
        }
        for (int i = 0; i < kModelButtonTableSize; ++i)
            profile.buttons[size_t(i)].Fun = model->buttonFun[size_t(i)];
        for (int m = 0; m < kLedModeCount; ++m) {
            LedModeSetting &l = profile.ledModes[size_t(m)];
            l.RGB = model->ledRgb[size_t(m)];
            l.bright = model->ledBright[size_t(m)];
            l.breath = model->ledBreath[size_t(m)];
            l.h = 360;
            l.s = 0;
            l.v = 0;
        }
    } else {
        profile.LedMode = 9;
        static const std::uint32_t codes[kDpiLevelCount] = {8, 12, 16, 24, 50, 75, 0, 0};
        for (int i = 0; i < kDpiLevelCount; ++i) {
            DpiLevel &d = profile.dpiLevels[size_t(i)];
            d.used = 1;
            d.link = 1;
            d.xy = d.x = d.y = codes[i];
        }
        static const std::int32_t funs[7] = {1, 2, 3, 4, 5, 4, 5};
        for (int i = 0; i < 7; ++i)
            profile.buttons[size_t(i)].Fun = funs[i];
        for (LedModeSetting &l : profile.ledModes) {
            l.RGB = QColor(255, 0, 0);
            l.h = 360;
            l.s = 0;
            l.v = 0;
            l.bright = 3;
            l.breath = 3;
        }
        profile.ledModes[4].breath = 2;
        profile.ledModes[9].breath = 4;
        profile.ledModes[10].RGB = QColor(0, 255, 0);
        profile.ledModes[10].breath = 5;
        profile.ledModes[12].breath = 1;
    }
    profile.buttons[40].Fun = 52;
    profile.buttons[41].Fun = 53;
}

void resetAllProfiles(const StorageDirs &dirs, AppConfig &config)
{
    config.ProfileID = 0;
    config.AngleValue = 0;
    config.LiftHigh = 2;
    for (int i = 0; i < kProfileCount; ++i) {
        makeDefaultProfile(dirs, config.profiles[size_t(i)]);
        config.profileNames[size_t(i)] = QStringLiteral("Profile ") + QString::number(i + 1);
    }
}

namespace {

bool generalDiffers(const AppConfig &a, const AppConfig &b)
{
    for (int i = 0; i < kProfileCount; ++i) {
        const ProfileData &pa = a.profiles[size_t(i)];
        const ProfileData &pb = b.profiles[size_t(i)];
        if (pa.pollrate != pb.pollrate || pa.scrollspeed != pb.scrollspeed)
            return true;
    }
    if (a.LiftHigh != b.LiftHigh || a.ProfileID != b.ProfileID)
        return true;
    // equal ProfileID: activeProfile() never indexes past the five slots
    const ProfileData &pa = a.activeProfile();
    const ProfileData &pb = b.activeProfile();
    if (pa.dpi != pb.dpi || pa.LedMode != pb.LedMode || pa.LedMoveOFF != pb.LedMoveOFF ||
        pa.LedSleepTime != pb.LedSleepTime)
        return true;
    // The table carries slot 0's move-off and sleep bytes whichever slot is
    // active: a change there is sent even when the active slot's are unchanged.
    const ProfileData &a0 = a.profiles[0];
    const ProfileData &b0 = b.profiles[0];
    return a0.LedMoveOFF != b0.LedMoveOFF || a0.LedSleepTime != b0.LedSleepTime;
}

bool dpiDiffers(const AppConfig &a, const AppConfig &b)
{
    for (int i = 0; i < kProfileCount; ++i) {
        for (int l = 0; l < kDpiLevelCount; ++l) {
            const DpiLevel &da = a.profiles[size_t(i)].dpiLevels[size_t(l)];
            const DpiLevel &db = b.profiles[size_t(i)].dpiLevels[size_t(l)];
            if (da.used != db.used || da.x != db.x || da.y != db.y)
                return true;
        }
    }
    return false;
}

bool buttonsDiffer(const StorageDirs &dirs, const AppConfig &a, const AppConfig &b)
{
    for (int i = 0; i < kProfileCount; ++i) {
        for (int k = 0; k < kButtonEntryCount; ++k) {
            const ButtonEntry &ea = a.profiles[size_t(i)].buttons[size_t(k)];
            const ButtonEntry &eb = b.profiles[size_t(i)].buttons[size_t(k)];
            if (ea.ID != eb.ID || ea.Fun != eb.Fun || ea.LoopNumber != eb.LoopNumber || ea.KeyNumber != eb.KeyNumber ||
                ea.Res1 != eb.Res1 || ea.Res2 != eb.Res2 || ea.Res3 != eb.Res3 || ea.Res4 != eb.Res4)
                return true;
            if (ea.Fun == kFunMacro) {
                if (ea.macroname != eb.macroname || !sameKeyInfoBlock(ea.keyInfo, eb.keyInfo))
                    return true;
                if (readWriteSign(dirs, ea.macroname) != 0) {
                    clearWriteSign(dirs, ea.macroname);
                    return true;
                }
            } else if (!sameKeyInfoBlock(ea.keyInfo, eb.keyInfo)) {
                return true;
            }
        }
    }
    return false;
}

bool lightingDiffers(const AppConfig &a, const AppConfig &b)
{
    for (int i = 0; i < kProfileCount; ++i) {
        const ProfileData &pa = a.profiles[size_t(i)];
        const ProfileData &pb = b.profiles[size_t(i)];
        if (pa.LedMode != pb.LedMode)
            return true;
        if (pa.LedMode >= kLedModeCount) {
            // no such effect: only the mode number itself can be compared
            qWarning("Slot %d has lighting effect %d; its settings are not compared", i, int(pa.LedMode));
            continue;
        }
        const LedModeSetting &la = pa.ledModes[pa.LedMode];
        const LedModeSetting &lb = pb.ledModes[pb.LedMode];
        if (la.RGB != lb.RGB || la.h != lb.h || la.s != lb.s || la.v != lb.v || la.bright != lb.bright ||
            la.breath != lb.breath)
            return true;
    }
    // The lighting table is built from slot 0's records of every effect, not
    // only from the effect slot 0 has chosen.
    for (int e = 0; e < kLedModeCount; ++e) {
        const LedModeSetting &la = a.profiles[0].ledModes[size_t(e)];
        const LedModeSetting &lb = b.profiles[0].ledModes[size_t(e)];
        if (la.RGB != lb.RGB || la.bright != lb.bright || la.breath != lb.breath)
            return true;
    }
    return false;
}

} // namespace

ChangeMask compareConfigs(const StorageDirs &dirs, const AppConfig &working, const AppConfig &saved)
{
    ChangeMask mask = 0;
    if (generalDiffers(working, saved))
        mask |= kChangeGeneral;
    if (dpiDiffers(working, saved))
        mask |= kChangeDpi;
    if (buttonsDiffer(dirs, working, saved))
        mask |= kChangeButtons;
    if (lightingDiffers(working, saved))
        mask |= kChangeLighting;
    return mask;
}

namespace {

// 64-bit so that a code from a damaged file cannot overflow the products.
qint64 dpiValue(qint64 k, int sensor)
{
    switch (sensor) {
    case 3325:
    case 33252:
        return k <= 50 ? k * 100 : 5000 + (k - 50) * 200;
    case 3327:
        if (k <= 61)
            return (k + 1) * 100;
        if (k <= 92)
            return 6200 + (k - 61) * 200;
        if (k == 106)
            return 16400;
        return 12300 + (k - 92) * 300;
    case 3360:
    case 3311:
    case 33112:
        return k <= 120 ? k * 100 : 12000 + (k - 120) * 200;
    case 3389:
        return k <= 320 ? k * 50 : 16000 + (k - 320) * 100;
    case 3212: {
        if (k < 64) {
            const qint64 v = k * 38 / 10 * 10;
            switch (v) {
            case 790:
                return 800;
            case 1210:
                return 1200;
            case 1630:
                return 1600;
            case 2390:
                return 2400;
            default:
                return v;
            }
        }
        if (k <= 94)
            return (k - 32) * 76 / 10 * 10;
        const qint64 v = (k - 63) * 152 / 10 * 10;
        return v == 7290 ? 7200 : v;
    }
    case 3104:
    case 31042:
        if (k <= 106) {
            const qint64 v = k * 40;
            return v == 560 ? 500 : v;
        }
        return 80 * k - 4240;
    case 3335:
    case 33352:
        return k <= 160 ? k * 100 : 16000 + (k - 160) * 200;
    case 3370:
        return k <= 200 ? k * 50 : 10000 + (k - 200) * 100;
    case 3333:
        return k <= 80 ? k * 100 : 8000 + (k - 80) * 200;
    case 3399:
        return k <= 399 ? (k + 1) * 50 : 20000 + (k - 399) * 100;
    case 3395:
    case 33952:
        return k <= 519 ? (k + 1) * 50 : 26000 + (k - 519) * 100;
    default:
        return 0;
    }
}

} // namespace

int dpiCodeToValue(int code, int sensor)
{
    const qint64 v = dpiValue(code, sensor);
    return int(qBound(qint64(std::numeric_limits<int>::min()), v, qint64(std::numeric_limits<int>::max())));
}

std::uint8_t checkedProfileId(int value, const QString &source)
{
    if (value < 0 || value >= kProfileCount) {
        qWarning("Config/ProfileID %d in %s is not a slot number; using slot 0", value, qPrintable(source));
        return 0;
    }
    return std::uint8_t(value);
}
