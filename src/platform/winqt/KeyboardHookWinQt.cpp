// The Qt-facing side of the Windows keyboard hook; the Win32 calls live in win/.
#include "KeyboardHook.h"

#include "LowLevelKeyboardHook.h"

#include <QDebug>

namespace {

class KeyboardHookWin : public KeyboardHook
{
public:
    explicit KeyboardHookWin(Handler handler)
        : m_Handler(std::move(handler))
    {
    }
    ~KeyboardHookWin() override
    {
        if (m_bInstalled)
            platformwin::removeKeyboardHook();
    }

    bool install()
    {
        unsigned long error = 0;
        m_bInstalled = platformwin::installKeyboardHook(&KeyboardHookWin::onKey, this, &error);
        if (!m_bInstalled)
            qWarning("The keyboard hook is not installed (error %lu; 0: another one is)", error);
        return m_bInstalled;
    }

private:
    static bool onKey(void *context, unsigned long *scanCode, unsigned long flags, unsigned long timeMs)
    {
        auto *self = static_cast<KeyboardHookWin *>(context);
        std::uint32_t scan = std::uint32_t(*scanCode);
        const bool swallow = self->m_Handler(scan, std::uint32_t(flags), std::int64_t(timeMs));
        *scanCode = scan;
        return swallow;
    }

    Handler m_Handler;
    bool m_bInstalled = false;
};

} // namespace

std::unique_ptr<KeyboardHook> KeyboardHook::install(Handler handler)
{
    auto hook = std::make_unique<KeyboardHookWin>(std::move(handler));
    if (!hook->install())
        return nullptr;
    return hook;
}
