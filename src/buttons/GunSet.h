#pragma once
// Gun files: recoil-compensation macros built from a table of bullets. Each
// bullet clicks the left button, moves the pointer by its Y and X steps and
// waits its delay; the result is stored as an ordinary macro file.

#include "MacroFile.h"
#include "StorageDirs.h"

#include <QString>

#include <vector>

struct GunBullet
{
    int delayMs = 100; // 1..999
    int y = 0;         // -100..100, negative = up
    int x = 0;         // -100..100, negative = left
};

constexpr int kGunMaxBullets = 5;
constexpr int kGunMaxNameLength = 100;

// The actions of the bullets, in order: press, release, the Y move and the X
// move when not 0, the delay (in 10 ms units, rounded down) when not 0.
std::vector<MacroAction> gunSetActions(const std::vector<GunBullet> &bullets);

// The name a gun file typed as name gets: name itself, or name_2, name_3, …
// when that file exists. Empty when name is empty or would leave MacroDB.
QString gunFileName(const StorageDirs &dirs, const QString &name);

// Writes the gun file under gunFileName(name) and returns that name (empty
// when refused or not written). An existing file is never overwritten.
QString writeGunFile(const StorageDirs &dirs, const QString &name, const std::vector<MacroAction> &actions);
