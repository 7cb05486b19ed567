#pragma once

#include "MouseSim.h"

#include <hidapi.h>

#include <QByteArray>
#include <QtTest>

#include <vector>

namespace simtest {

using mousesim::MouseSim;
using mousesim::Report;

inline std::string commandPath(mousesim::Identity id = mousesim::Identity::Receiver)
{
    return MouseSim::path(id, 4);
}

inline hid_device *openCommand(mousesim::Identity id = mousesim::Identity::Receiver)
{
    return hid_open_path(commandPath(id).c_str());
}

inline int send(hid_device *dev, const Report &r)
{
    return hid_write(dev, r.data(), r.size());
}

// Everything queued on the handle right now (virtual time: reads never wait).
inline std::vector<Report> drain(hid_device *dev)
{
    std::vector<Report> out;
    for (int i = 0; i < 1000; ++i) {
        Report r{};
        const int n = hid_read_timeout(dev, r.data(), r.size(), 150);
        if (n <= 0)
            break;
        out.push_back(r);
    }
    return out;
}

inline QByteArray bytes(const Report &r)
{
    return QByteArray(reinterpret_cast<const char *>(r.data()), int(r.size()));
}

inline QByteArray bytes(const std::vector<std::uint8_t> &v, std::size_t from, std::size_t n)
{
    return QByteArray(reinterpret_cast<const char *>(v.data() + from), int(n));
}

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

inline std::vector<std::uint8_t> vec(const QByteArray &a)
{
    return std::vector<std::uint8_t>(a.begin(), a.end());
}

} // namespace simtest
