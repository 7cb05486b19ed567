// Profile files, read as the program reads them: what was read must store and
// read back unchanged.
#include "FuzzSupport.h"
#include "IniReader.h"
#include "IniText.h"
#include "ProfileFile.h"

#include <QHash>

namespace {

// One value written as the profile writer writes it, between two other lines,
// must read back as itself without disturbing its neighbours.
template <typename Append> QVariant roundTrip(Append append)
{
    QByteArray text = "[PROFILE]\na=1\nk=";
    append(text);
    text += "\nz=2\n";
    const IniReader back = IniReader::fromText(text);
    if (back.value(QStringLiteral("PROFILE/a")) != QStringLiteral("1") ||
        back.value(QStringLiteral("PROFILE/z")) != QStringLiteral("2") || back.keys().size() != 3)
        __builtin_trap();
    return back.value(QStringLiteral("PROFILE/k"));
}

void checkText(const QString &value)
{
    if (!value.isEmpty() && roundTrip([&](QByteArray &out) { appendIniText(out, value); }).toString() != value)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::scratch();
    const QByteArray input = fuzz::bytes(data, size);
    ProfileData p;
    readProfile(IniReader::fromText(input), p);

    // Numbers store as they read; texts and colours are where writer and reader could disagree.
    checkText(p.ProfileName);
    checkText(p.ProfilePath);
    for (const ButtonEntry &b : p.buttons)
        checkText(b.macroname);
    for (const LedModeSetting &l : p.ledModes) {
        if (l.RGB.isValid() && roundTrip([&](QByteArray &out) { appendIniColor(out, l.RGB); }).value<QColor>() != l.RGB)
            __builtin_trap();
    }

    // The whole file (about 8,500 lines) for one input in 256, chosen by its
    // bytes so that a failure reproduces: it would cost a hundred times the rest.
    if (qHashBits(data, size) % 256 == 0) {
        ProfileData back;
        readProfile(IniReader::fromText(profileFileBytes(p)), back);
        if (!(back == p))
            __builtin_trap();
    }
    return 0;
}
