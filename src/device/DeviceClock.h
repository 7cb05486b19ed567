#pragma once

// Every fixed pause and every read timeout of the device link goes through
// this object, so tests can replace real time with a recording clock
// (VirtualDeviceClock) and assert the exact pauses of a retry path.
// Implementations must be safe to call from several threads at once.
class DeviceClock
{
public:
    virtual ~DeviceClock();

    // Blocks the calling thread for ms milliseconds.
    virtual void pause(int ms);

    // Called before each read with the timeout the protocol asks for; returns
    // the timeout actually handed to hid_read_timeout.
    virtual int readTimeout(int ms);
};
