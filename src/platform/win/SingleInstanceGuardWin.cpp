#include "InstanceMutex.h"

#include <windows.h>

namespace platformwin {

MutexResult createInstanceMutex(const std::wstring &name, void **handleOut, unsigned long *errorOut)
{
    *handleOut = nullptr;
    if (errorOut)
        *errorOut = 0;
    HANDLE handle = CreateMutexW(nullptr, TRUE, name.c_str());
    const DWORD err = GetLastError();
    if (!handle) {
        if (errorOut)
            *errorOut = err;
        return MutexResult::Failed;
    }
    if (err == ERROR_ALREADY_EXISTS) {
        // We got a handle to the other holder's mutex, not ownership of it.
        CloseHandle(handle);
        return MutexResult::AlreadyExists;
    }
    *handleOut = handle;
    return MutexResult::Acquired;
}

void releaseInstanceMutex(void *handle)
{
    if (!handle)
        return;
    ReleaseMutex(static_cast<HANDLE>(handle));
    CloseHandle(static_cast<HANDLE>(handle));
}

} // namespace platformwin
