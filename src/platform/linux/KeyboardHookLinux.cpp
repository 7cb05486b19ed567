// The program's own key events, seen by an application-wide event filter.
// Qt offers each event to the window first and then to the widgets inside
// it; only the first delivery, to the window, is taken, so an event counts
// once and swallowing it keeps it from every widget.
#include "KeyboardHook.h"

#include "NativeKeys.h"

#include <QCoreApplication>
#include <QDebug>
#include <QKeyEvent>

#include <chrono>

namespace {

std::int64_t monotonicMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

class KeyboardHookLinux : public QObject, public KeyboardHook
{
public:
    explicit KeyboardHookLinux(Handler handler)
        : m_Handler(std::move(handler))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~KeyboardHookLinux() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool press = event->type() == QEvent::KeyPress;
        if ((!press && event->type() != QEvent::KeyRelease) || !watched->isWindowType())
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        // Windows repeats a held key as presses only.
        if (!press && key->isAutoRepeat())
            return false;
        WindowsKeyEvent ev;
        if (!m_Translator.translate(key->nativeScanCode(), !press, ev)) {
            qDebug("Key event with native code %u is not a PC keyboard key; passed on", key->nativeScanCode());
            return false;
        }
        std::uint32_t scan = ev.scanCode;
        return m_Handler(scan, ev.flags, key->timestamp() != 0 ? std::int64_t(key->timestamp()) : monotonicMs());
    }

private:
    Handler m_Handler;
    NativeKeyTranslator m_Translator;
};

KeyboardHookLinux *g_pHook = nullptr;

KeyboardHookLinux::~KeyboardHookLinux()
{
    g_pHook = nullptr;
}

} // namespace

std::unique_ptr<KeyboardHook> KeyboardHook::install(Handler handler)
{
    if (!QCoreApplication::instance()) {
        qWarning("No application: the keyboard hook is not installed");
        return nullptr;
    }
    if (g_pHook) {
        qWarning("A keyboard hook is installed already; the second one is refused");
        return nullptr;
    }
    auto hook = std::make_unique<KeyboardHookLinux>(std::move(handler));
    g_pHook = hook.get();
    return hook;
}
