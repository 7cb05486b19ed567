// Macro files, and the copy of a macro into a button.
#include "FuzzSupport.h"
#include "IniReader.h"
#include "MacroFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::scratch();
    const IniReader ini = IniReader::fromText(fuzz::bytes(data, size));
    const MacroRecord macro = readMacro(ini, QStringLiteral("x"));
    if (macro.actions.size() > size_t(kMaxMacroActions))
        __builtin_trap();
    ButtonEntry button;
    copyMacroToButton(macro, button);
    if (button.KeyNumber != int(macro.actions.size()))
        __builtin_trap();
    (void)readWriteSign(ini);
    return 0;
}
