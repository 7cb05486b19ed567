#pragma once
// Configuration files ("Config File(*.conf)"): the five slots with the header
// and the product tag of the program that wrote them.

#include "ProfileData.h"
#include "StorageDirs.h"

#include <QString>

enum class ImportStatus {
    Imported,
    WrongProduct, // the file's product tag is not the current product name
    Unreadable,   // missing, not a file, unreadable, or not an INI file
    Refused,      // damaged (a group or key missing) or a slot name that cannot be used
};

// The message the window shows for a file of another product.
constexpr const char *kWrongProductText = "The file is not match current mouse!";

// Reads the header and the five slots of filePath into working when its
// MouseName/Name equals Config/CurrentProductName exactly; otherwise working
// is left as it was. LedMoveOFF and LedSleepTime keep their values. A file
// that lacks part of the header or of the five slots, or names a slot in a way
// that cannot be stored (see slotNameProblem), is Refused; *problem (if given)
// then receives why.
ImportStatus importConfigFile(const StorageDirs &dirs, const QString &filePath, AppConfig &working,
                              QString *problem = nullptr);

// Writes the product tag, then the header and the five slots of config to
// filePath, replacing what the file held. False (logged) when the file could
// not be written.
bool exportConfigFile(const StorageDirs &dirs, const QString &filePath, const AppConfig &config);
