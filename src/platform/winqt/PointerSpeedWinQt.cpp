// The Qt-facing side of the Windows pointer speed; the Win32 calls live in win/.
#include "PointerSpeed.h"
#include "PointerSpeedWin.h"

#include <QDebug>

namespace {

class WinPointerSpeed : public PointerSpeed
{
public:
    int GetPointerSpeed() override { return platformwin::getMouseSpeed(); }
    void SetPointerSpeed(int speed) override
    {
        const unsigned long error = platformwin::setMouseSpeed(speed);
        qDebug("Error in SystemParametersInfo :%d", int(error));
    }
};

} // namespace

std::unique_ptr<PointerSpeed> createSystemPointerSpeed()
{
    return std::make_unique<WinPointerSpeed>();
}
