#pragma once
// Where recording and key editing get their key events: the key events the
// macro page receives while it holds the keyboard, turned into what the
// system's low-level keyboard hook reports for the same key (set-1 scan code,
// extended / Alt-down / key-up flags, virtual key of right Alt), stamped with
// the window system's event time or else the monotonic clock. This is the one
// place to change when the events come from elsewhere.

#include "MacroRecorder.h"

class QKeyEvent;

// Milliseconds of the monotonic clock the recorder's time stamps use.
qint64 macroMonotonicMs();

// False for events the hook would not report: the release half of the
// window system's auto-repeat, and keys without a native code.
bool macroRawKeyEvent(const QKeyEvent &event, RawKeyEvent &raw);
