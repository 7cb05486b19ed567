#pragma once
// Plain C++ over the Win32 API (no Qt), so it compiles with any Windows toolchain.
#include <string>

namespace platformwin {

enum class MutexResult {
    Acquired,      // this process now owns the named mutex; *handleOut must be released later
    AlreadyExists, // another holder has the name; nothing to release
    Failed         // the system refused the name (logged by the caller); nothing to release
};

// Creates the named mutex with initial ownership. `name` must already be a
// valid object name (no backslash or NUL, at most MAX_PATH characters).
// On Acquired, *handleOut is the mutex handle; otherwise it is set to nullptr.
// `*errorOut`, when given, receives GetLastError() for the Failed case.
MutexResult createInstanceMutex(const std::wstring &name, void **handleOut, unsigned long *errorOut = nullptr);

// Releases and closes a handle from createInstanceMutex; nullptr is ignored.
void releaseInstanceMutex(void *handle);

} // namespace platformwin
