// The firmware on its own, without bus, lock or fault plan: a report in gives
// the exact answer, the event, the change bits and the state out.

#include "SimFirmware.h"

#include <QtTest>

using namespace mousesim;

class TestSimFirmwareModel : public QObject
{
    Q_OBJECT

    static QByteArray bytes(const Report &r) { return QByteArray(reinterpret_cast<const char *>(r.data()), 33); }
    static QByteArray closing(std::uint8_t table) { return bytes(makeCommand(table, 0x7F, 0, {0x1A}, 0xD3)); }

    // An answer: bytes 0 and 2.. as given, the checksum its own.
    static QByteArray answer(std::initializer_list<int> from2, const QByteArray &data = {})
    {
        Report r{kReportId};
        std::copy(from2.begin(), from2.end(), r.begin() + 2);
        std::copy(data.begin(), data.end(), r.begin() + 8);
        r[1] = checksum(r);
        return bytes(r);
    }

    // General settings: the profile, one rate code for all profiles, its DPI level, the effect.
    static QByteArray general(int profile, int rate, int dpi, int effect)
    {
        std::vector<std::uint8_t> t(19, 0);
        std::fill(t.begin() + 11, t.begin() + 16, std::uint8_t(rate));
        t[6] = std::uint8_t(profile);
        t[17] = std::uint8_t(dpi);
        t[18] = std::uint8_t(effect);
        return bytes(makeCommand(0x01, 0, 0, t, 0xD1));
    }

    // Feeds the commands in order; the reaction to the last one.
    static SimFirmware::Reaction feed(SimFirmware &fw, const QByteArrayList &commands)
    {
        SimFirmware::Reaction last;
        for (const QByteArray &c : commands) {
            Report r{};
            std::copy(c.begin(), c.end(), r.begin());
            last = fw.receive(r);
        }
        return last;
    }

private slots:
    void reaction_data()
    {
        QTest::addColumn<QByteArrayList>("commands");
        QTest::addColumn<QByteArray>("expected"); // the answer to the last command
        QTest::addColumn<bool>("dataEcho");
        QTest::addColumn<int>("event"); // -1: none
        QTest::addColumn<unsigned>("changes");
        QTest::addColumn<QByteArray>("state"); // profile, its DPI level and rate, effect

        Report overlong = makeCommand(0x07, 1, 2, std::vector<std::uint8_t>(25, 0x33), 0xD1);
        overlong[6] = 30; // more than a report holds
        overlong[1] = checksum(overlong);
        const unsigned closed = ChangeTables | ChangeEvents | ChangeState;
        const QByteArray start = QByteArray::fromHex("00000101");
        const int tableClosed = int(EventKind::TableClosed);

        QTest::newRow("echo drops the tag")
            << QByteArrayList{bytes(makeCommand(0x04, 8, 0, {1, 2}, 0xD2))} << answer({0xFA, 4, 8, 0, 2}, "\1\2")
            << true << -1 << unsigned(ChangeTables) << start;
        QTest::newRow("overlong length") << QByteArrayList{bytes(overlong)}
                                         << answer({0xFA, 7, 1, 2, 30}, QByteArray(25, '\x33')) << true << -1 << 0u
                                         << start;
        QTest::newRow("status is no data echo") << QByteArrayList{bytes(makeCommand(0x48))}
                                                << answer({0xFA, 0x48, 0x2C, 0x10, 1, 1}) << false << -1 << 0u << start;
        QTest::newRow("closing applies general")
            << QByteArrayList{general(3, 2, 6, 8), closing(0x01)} << answer({0xFA, 1, 0x7F, 0, 1}, "\x1A") << true
            << tableClosed << closed << QByteArray::fromHex("03060208");
        QTest::newRow("profile beyond the slots kept")
            << QByteArrayList{general(5, 2, 6, 8), closing(0x01)} << answer({0xFA, 1, 0x7F, 0, 1}, "\x1A") << true
            << tableClosed << closed << QByteArray::fromHex("00060208");
    }

    void reaction()
    {
        QFETCH(QByteArrayList, commands);
        QFETCH(QByteArray, expected);
        QFETCH(bool, dataEcho);
        QFETCH(int, event);
        QFETCH(unsigned, changes);
        QFETCH(QByteArray, state);

        SimFirmware fw;
        const SimFirmware::Reaction got = feed(fw, commands);
        QVERIFY(got.answer);
        QCOMPARE(bytes(got.answer->report), expected);
        QCOMPARE(got.answer->dataEcho, dataEcho);
        QCOMPARE(got.event ? int(got.event->kind) : -1, event);
        QCOMPARE(got.changes, changes);
        QCOMPARE(bytes(fw.statusReport()).mid(4, 4), state);
    }

    void buttons_data()
    {
        QTest::addColumn<QByteArrayList>("commands");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QByteArray>("last"); // profile, DPI level, rate, effect

        const auto dpi = [](int count, int usedA, int usedB) {
            std::vector<std::uint8_t> t(41, 0);
            t[0] = std::uint8_t(count);
            t[std::size_t(1 + 5 * usedA)] = t[std::size_t(1 + 5 * usedB)] = 1;
            return QByteArrayList{bytes(makeCommand(0x02, 0, 0, {t.begin(), t.begin() + 25}, 0xD1)),
                                  bytes(makeCommand(0x02, 25, 0, {t.begin() + 25, t.end()}, 0xD2)), closing(0x02)};
        };
        const int Dpi = int(SimFirmware::Button::Dpi);
        QTest::newRow("no dpi table: all eight") << QByteArrayList() << Dpi << 7 << QByteArray::fromHex("00070101");
        QTest::newRow("count beyond eight") << dpi(9, 2, 7) << Dpi << 3 << QByteArray::fromHex("00020101");
        QTest::newRow("table of another profile")
            << (dpi(2, 1, 1) << general(1, 1, 0, 1) << closing(0x01)) << Dpi << 2 << QByteArray::fromHex("01020101");
        QTest::newRow("rate off the cycle") << QByteArrayList{general(0, 3, 0, 1), closing(0x01)}
                                            << int(SimFirmware::Button::Rate) << 1 << QByteArray::fromHex("00000101");
        QTest::newRow("effect 0") << QByteArrayList{general(0, 1, 0, 0), closing(0x01)}
                                  << int(SimFirmware::Button::Effect) << 1 << QByteArray::fromHex("00000101");
    }

    void buttons()
    {
        QFETCH(QByteArrayList, commands);
        QFETCH(int, button);
        QFETCH(int, presses);
        QFETCH(QByteArray, last);

        SimFirmware fw;
        feed(fw, commands);
        Report got{};
        for (int i = 0; i < presses; ++i)
            got = fw.press(SimFirmware::Button(button));
        QCOMPARE(bytes(got).mid(3, 5), "\x49" + last);
    }
};

QTEST_GUILESS_MAIN(TestSimFirmwareModel)
#include "tst_simfirmwaremodel.moc"
