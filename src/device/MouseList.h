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

// How the current mouse is attached; the numbers are the ones the window's
// battery and receiver pictures are chosen by.
enum class ConnectionMode { CableOnly = 0, CableAndReceiver = 1, ReceiverOnly = 2, None = 3 };

ConnectionMode connectionMode(ConnectionFlags flags);
inline bool receiverIconShown(ConnectionMode mode)
{
    return mode == ConnectionMode::CableAndReceiver || mode == ConnectionMode::ReceiverOnly;
}
inline bool batteryBarShown(ConnectionMode mode)
{
    return mode == ConnectionMode::ReceiverOnly || mode == ConnectionMode::None;
}
inline bool cablePresent(ConnectionMode mode)
{
    return mode == ConnectionMode::CableOnly || mode == ConnectionMode::CableAndReceiver;
}
