#include "GunSet.h"

#include "SafeIni.h"
#include "StoragePaths.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {
constexpr std::uint8_t kLeftButton = 0x01;
} // namespace

std::vector<MacroAction> gunSetActions(const std::vector<GunBullet> &bullets)
{
    std::vector<MacroAction> actions;
    for (const GunBullet &b : bullets) {
        actions.push_back(macroButtonAction(kLeftButton, true));
        actions.push_back(macroButtonAction(kLeftButton, false));
        if (b.y != 0)
            actions.push_back(macroMoveAction(0, std::clamp(b.y, -128, 127)));
        if (b.x != 0)
            actions.push_back(macroMoveAction(std::clamp(b.x, -128, 127), 0));
        if (b.delayMs != 0)
            actions.push_back(macroDelayAction(b.delayMs));
    }
    return actions;
}

QString gunFileName(const StorageDirs &dirs, const QString &name)
{
    if (name.isEmpty() || macroFilePath(dirs, name).isEmpty())
        return QString();
    QString candidate = name;
    for (int n = 2; QFileInfo::exists(macroFilePath(dirs, candidate)); ++n)
        candidate = name + QStringLiteral("_%1").arg(n);
    return candidate;
}

QString writeGunFile(const StorageDirs &dirs, const QString &name, const std::vector<MacroAction> &actions)
{
    const QString chosen = gunFileName(dirs, name);
    if (chosen.isEmpty())
        return QString();
    QDir().mkpath(dirs.macroDir());
    const QString path = macroFilePath(dirs, chosen);
    const int count = std::min<int>(int(actions.size()), kMaxMacroActions);
    SafeIni ini(path, SafeIni::ReadWrite);
    QSettings &s = ini.settings();
    s.beginGroup(QStringLiteral("Setting"));
    s.setValue(QStringLiteral("MacroFilePath"), path);
    s.setValue(QStringLiteral("DefaultDelay"), 10);
    s.setValue(QStringLiteral("DelayType"), 1);
    s.setValue(QStringLiteral("LoopType"), 0);
    s.setValue(QStringLiteral("LoopTime"), 1);
    s.setValue(QStringLiteral("Count"), count);
    for (int i = 0; i < count; ++i) {
        const MacroAction &a = actions[std::size_t(i)];
        s.setValue(QStringLiteral("Map_%1").arg(i), int(a.map));
        s.setValue(QStringLiteral("DataH_%1").arg(i), int(a.dataH));
        s.setValue(QStringLiteral("DataL_%1").arg(i), int(a.dataL));
    }
    s.endGroup();
    s.sync();
    if (s.status() != QSettings::NoError) {
        qWarning("Gun file %s not written", qPrintable(path));
        return QString();
    }
    return chosen;
}
