#pragma once
#include <QString>

// Where the program's files live. Storage code never asks Qt for the
// application path: the application creates this once, tests point it at a
// temporary directory.
struct StorageDirs
{
    QString appDir;    // holds DefaultProfile.bin, skin/, lang/
    QString configDir; // appDir + "/Configs": Config.ini, LangConfig.ini, Profile/, MacroDB/

    static StorageDirs fromAppDir(const QString &appDir) { return {appDir, appDir + QStringLiteral("/Configs")}; }

    QString configIni() const { return configDir + QStringLiteral("/Config.ini"); }
    QString langConfigIni() const { return configDir + QStringLiteral("/LangConfig.ini"); }
    QString modelDescription() const { return appDir + QStringLiteral("/DefaultProfile.bin"); }
    QString profileDir() const { return configDir + QStringLiteral("/Profile"); }
    QString macroDir() const { return configDir + QStringLiteral("/MacroDB"); }
};
