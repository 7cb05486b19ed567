// Macro files, and the copy of a macro into a button.
#include "FuzzSupport.h"
#include "MacroFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const StorageDirs &dirs = fuzz::scratch();
    fuzz::put(dirs.macroDir() + QStringLiteral("/x.MSMACRO"), data, size);
    const MacroRecord macro = loadMacro(dirs, QStringLiteral("x"));
    if (macro.actions.size() > size_t(kMaxMacroActions))
        __builtin_trap();
    ButtonEntry button;
    copyMacroToButton(macro, button);
    (void)readWriteSign(dirs, QStringLiteral("x"));
    return 0;
}
