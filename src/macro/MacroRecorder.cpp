#include "MacroRecorder.h"

#include <QDebug>

#include <algorithm>

namespace {
int heldIndex(const std::vector<InternalKeyCode> &held, InternalKeyCode code)
{
    const auto it = std::find(held.begin(), held.end(), code);
    return it == held.end() ? -1 : int(it - held.begin());
}

bool hidUsage(InternalKeyCode code, std::uint8_t &usage)
{
    usage = 0;
    if (code != 0 && scanToHid(code, usage))
        return true;
    qDebug("Key code %d has no HID usage; event skipped", int(code));
    return false;
}

MacroAction delayUnits(qint64 units)
{
    const int u = int(std::clamp<qint64>(units, 0, kMaxDelayUnits));
    return {kMacroDelay, std::uint8_t(u / 256), std::uint8_t(u % 256)};
}
} // namespace

MacroAction recordedDelayAction(qint64 ms)
{
    return delayUnits(std::max<qint64>(ms / 10 * 10, 10) / 10);
}

void MacroRecorder::start()
{
    m_bHaveLastTime = false;
    m_Held.clear();
}

void MacroRecorder::setDelay(int delayType, int defaultDelayMs)
{
    m_iDelayType = delayType;
    m_iDefaultDelayMs = defaultDelayMs;
}

std::vector<MacroAction> MacroRecorder::record(const RawKeyEvent &event, int rowCount)
{
    const RecordedKeyEvent key = recorderKeyEvent(event.scanCode, event.virtualKey, event.flags);
    // A key-down is any event without the key-up bit: right Alt, Alt with an
    // extended key and injected keys carry other bits too.
    const bool down = !isKeyUp(key.flags);
    qDebug("OnHookKey ret %d %d %d", int(key.code), int(key.flags), heldIndex(m_Held, key.code));
    if (down && heldIndex(m_Held, key.code) >= 0)
        return {}; // auto-repeat
    if (rowCount > kRecordRowsWithDelays - 2)
        return {};
    if (m_iDelayType == MacroDelayNone && rowCount > kRecordRowsWithoutDelays - 1)
        return {};
    std::uint8_t usage = 0;
    if (!hidUsage(key.code, usage))
        return {};
    m_bHaveLastKey = true;
    m_LastKey = key;

    std::vector<MacroAction> rows;
    if (m_bHaveLastTime) {
        if (m_iDelayType == MacroDelayMeasured)
            rows.push_back(recordedDelayAction(event.timeMs - m_iLastTimeMs));
        else if (m_iDelayType == MacroDelayDefault)
            rows.push_back(delayUnits(m_iDefaultDelayMs / 10));
    }
    rows.push_back(macroKeyAction(usage, down));
    if (down) {
        m_Held.push_back(key.code);
    } else {
        const int at = heldIndex(m_Held, key.code);
        if (at >= 0)
            m_Held.erase(m_Held.begin() + at);
    }
    m_bHaveLastTime = true;
    m_iLastTimeMs = event.timeMs;
    return rows;
}

int MacroRecorder::editKey(const RawKeyEvent &event)
{
    const RecordedKeyEvent key = recorderKeyEvent(event.scanCode, event.virtualKey, event.flags);
    if (m_bHaveLastKey && key.code == m_LastKey.code && key.flags == m_LastKey.flags)
        return -1;
    m_bHaveLastKey = true;
    m_LastKey = key;
    std::uint8_t usage = 0;
    return hidUsage(key.code, usage) ? int(usage) : -1;
}

bool macroKeysReleased(const std::vector<MacroAction> &rows)
{
    std::vector<std::uint8_t> pressed;
    std::size_t released = 0;
    const auto typed = [](const MacroAction &a) {
        const int type = a.map & 0x7F;
        return type >= 1 && type <= 4;
    };
    for (const MacroAction &a : rows) {
        if (!typed(a))
            continue;
        if (a.map & kMacroPress)
            pressed.push_back(a.dataL);
        else
            ++released;
    }
    if (released < pressed.size())
        return false;
    for (const MacroAction &a : rows) {
        if (!typed(a) || (a.map & kMacroPress))
            continue;
        const auto it = std::find(pressed.begin(), pressed.end(), a.dataL);
        if (it != pressed.end())
            pressed.erase(it);
    }
    return pressed.empty();
}
