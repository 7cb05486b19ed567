#pragma once
// What the device table says about the attached mice, in the terms the window
// shows: which models are usable, which one is current and how it is attached.

#include "HidDeviceTable.h"

#include <QString>
#include <QStringList>

// Entries with both collections of the receiver or both of the cable, by name,
// in table order.
QStringList usableMouseNames(const HidDeviceTable &table);

struct MouseChoice
{
    QString current;              // the current product name after the choice
    bool storeCurrent = false;    // whether Config/CurrentProductName must be written
    bool selectorVisible = false; // the mouse selector is shown with two or more mice
};

// No mouse: the current name becomes empty. One: that mouse. Several: the stored
// name when it is among them, otherwise the first; the stored name is kept.
MouseChoice chooseCurrentMouse(const QStringList &usable, const QString &stored);

struct ConnectionFlags
{
    bool receiver = false; // the receiver's command collection was found
    bool cable = false;    // the cable's command collection was found
};

// Flags of the first entry whose name is name; both false when there is none.
ConnectionFlags connectionFlags(const HidDeviceTable &table, const QString &name);

// 0 cable only, 1 cable and receiver, 2 receiver only, 3 neither.
int connectionMode(ConnectionFlags flags);
inline bool receiverIconShown(int mode)
{
    return mode == 1 || mode == 2;
}
inline bool batteryBarShown(int mode)
{
    return mode == 2 || mode == 3;
}
inline bool cablePresent(int mode)
{
    return mode == 0 || mode == 1;
}
