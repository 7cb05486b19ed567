#include "PointerSpeedWin.h"

#include <windows.h>

namespace platformwin {

int getMouseSpeed()
{
    int speed = 0;
    if (!SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0))
        return 0;
    return speed;
}

unsigned long setMouseSpeed(int speed)
{
    // The speed travels as the pointer-sized value itself. Windows ignores
    // uiParam for this action; Wine reads the speed from there instead, so it
    // goes in both.
    SystemParametersInfoW(SPI_SETMOUSESPEED, static_cast<UINT>(speed),
                          reinterpret_cast<PVOID>(static_cast<INT_PTR>(speed)), 3);
    return GetLastError();
}

} // namespace platformwin
