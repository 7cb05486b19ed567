#pragma once
// Plain C++ over the Win32 API (no Qt): the system pointer speed, 1..20.

namespace platformwin {

// SPI_GETMOUSESPEED; 0 when the call fails.
int getMouseSpeed();
// SPI_SETMOUSESPEED with flags 3 (update the user profile, broadcast the
// change). Returns GetLastError() read right after the call, success or not.
unsigned long setMouseSpeed(int speed);

} // namespace platformwin
