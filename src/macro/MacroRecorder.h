#pragma once
// Recording a macro from the keyboard. The recorder turns each key event into
// a key row (HID usage), measures the pause before it for a delay row, ignores
// auto-repeat and keeps the row limits; it knows nothing of widgets, so the
// page feeds it and appends what it returns.
//
// Time stamps are milliseconds of a monotonic wall clock: the pause between
// two keys is elapsed time, whatever the processor did meanwhile.

#include "KeyEvents.h"
#include "MacroFile.h"

#include <QtGlobal>

#include <vector>

// One key event as the system's low-level keyboard hook reports it.
struct RawKeyEvent
{
    std::uint32_t scanCode = 0;
    std::uint32_t virtualKey = 0;
    std::uint32_t flags = 0; // kKeyFlagExtended, kKeyFlagAltDown, kKeyFlagUp
    qint64 timeMs = 0;       // monotonic clock, milliseconds
};

// A recording stops taking events at these row counts.
constexpr int kRecordRowsWithDelays = kMaxMacroActions; // 63
constexpr int kRecordRowsWithoutDelays = 40;
// A delay row holds at most this many 10 ms units (655 350 ms).
constexpr int kMaxDelayUnits = 65535;

// Delay types of a macro file.
enum MacroDelayType : int { MacroDelayNone = 0, MacroDelayMeasured = 1, MacroDelayDefault = 2 };

class MacroRecorder
{
public:
    // Forgets the last event time and the held keys.
    void start();
    void setDelay(int delayType, int defaultDelayMs);

    // The rows to append for one event while recording, given the number of
    // rows the table holds now: nothing (ignored), a key row, or a delay row
    // and a key row. A key without a HID usage is skipped (logged).
    std::vector<MacroAction> record(const RawKeyEvent &event, int rowCount);

    // Key editing: the HID usage that replaces the edited row's key, or -1
    // when the event repeats the last one taken or names no key with a usage.
    int editKey(const RawKeyEvent &event);

    const std::vector<InternalKeyCode> &heldKeys() const { return m_Held; }

private:
    int m_iDelayType = MacroDelayNone;
    int m_iDefaultDelayMs = 10;
    bool m_bHaveLastTime = false;
    qint64 m_iLastTimeMs = 0;
    std::vector<InternalKeyCode> m_Held;
    bool m_bHaveLastKey = false;
    RecordedKeyEvent m_LastKey;
};

// The delay row for a pause of ms milliseconds: rounded down to 10 ms steps,
// at least 10 ms, at most kMaxDelayUnits steps.
MacroAction recordedDelayAction(qint64 ms);

// True when every key and mouse-button press among rows has its release
// (the check run when a recording stops).
bool macroKeysReleased(const std::vector<MacroAction> &rows);
