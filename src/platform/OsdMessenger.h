#pragma once
// Where the texts for the on-screen display go: the profile, DPI level or rate
// the mouse switched to by itself. The companion program and its messaging
// fill this in; without one, the texts are dropped.

#include <QString>

class OsdMessenger
{
public:
    virtual ~OsdMessenger() = default;
    virtual void showText(const QString &text) = 0;
};
