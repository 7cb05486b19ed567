// The simulated firmware: checksum, echoes, tables at their offsets,
// closing packets, status answers and the mouse's own status reports.

#include "SimTestSupport.h"

using namespace simtest;
using mousesim::EventKind;
using mousesim::Identity;
using mousesim::makeCommand;

namespace {

Report closing(std::uint8_t table)
{
    return table == 0x05 ? makeCommand(0x05, 0xFF, 0x0F, {0x1A}, 0xD3) : makeCommand(table, 0x7F, 0, {0x1A}, 0xD3);
}

} // namespace

class TestSimFirmware : public QObject
{
    Q_OBJECT
    hid_device *m_pDev = nullptr;

    void exchange(const Report &r) { QCOMPARE(send(m_pDev, r), 33); }

private slots:
    void init()
    {
        MouseSim::instance().reset();
        MouseSim::instance().setVirtualTime(true);
        m_pDev = openCommand();
        QVERIFY(m_pDev);
    }

    void cleanup()
    {
        hid_close(m_pDev);
        m_pDev = nullptr;
    }

    void checksumExample() { QCOMPARE(int(mousesim::makeCommand(0x48)[1]), 0x24); }

    void answers_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<int>("echoedData"); // data bytes that must come back

        const Report good = makeCommand(0x01, 0, 0, {1, 2, 3}, 0xD1);
        Report badSum = good;
        badSum[1] ^= 0x01;
        Report badMarker = good;
        badMarker[2] = 0xFB;
        badMarker[1] = mousesim::checksum(badMarker);
        Report dataNotSummed = good;
        dataNotSummed[9] = 0x77; // data bytes are outside the checksum

        QTest::newRow("table write") << bytes(good) << true << 3;
        QTest::newRow("data outside checksum") << bytes(dataNotSummed) << true << 3;
        QTest::newRow("wrong checksum") << bytes(badSum) << false << 0;
        QTest::newRow("wrong marker") << bytes(badMarker) << false << 0;
        QTest::newRow("transfer begin") << bytes(makeCommand(0x46, 0)) << true << 0;
        QTest::newRow("completion") << bytes(makeCommand(0x40, 0xF3, 0x04)) << true << 0;
        QTest::newRow("macro packet") << bytes(makeCommand(0x05, 0x14, 0x00, std::vector<std::uint8_t>(20, 9), 0xD2))
                                      << true << 20;
        QTest::newRow("unknown command") << bytes(makeCommand(0x30, 1)) << false << 0;
        QTest::newRow("status report code") << bytes(makeCommand(0x49)) << false << 0;
    }

    void answers()
    {
        QFETCH(QByteArray, command);
        QFETCH(bool, answered);
        QFETCH(int, echoedData);
        Report r{};
        std::copy(command.begin(), command.end(), r.begin());
        exchange(r);
        const std::vector<Report> got = drain(m_pDev);
        QCOMPARE(int(got.size()), answered ? 1 : 0);
        if (!answered)
            return;
        const Report &a = got.front();
        QCOMPARE(a[0], r[0]);
        for (int i = 2; i <= 6; ++i)
            QCOMPARE(a[std::size_t(i)], r[std::size_t(i)]);
        QCOMPARE(bytes(a).mid(8, echoedData), bytes(r).mid(8, echoedData));
        QCOMPARE(bytes(a).mid(8 + echoedData), QByteArray(25 - echoedData, '\0'));
    }

    void tablesAtOffsets_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("stored"); // bytes that fit the table

        QTest::newRow("general") << 0x01 << 0 << QByteArray("\x01\x02\x03\x04\x05\x02\x03", 7) << 7;
        QTest::newRow("dpi level 3") << 0x02 << 16 << QByteArray("\x01\x77\x00\x3C\x01", 5) << 5;
        QTest::newRow("buttons second block") << 0x03 << 26 << QByteArray(24, '\x8F') << 24;
        QTest::newRow("lighting record 9") << 0x04 << 72 << QByteArray("\x80\x00\x00\x00\x09\x02\x00\x03", 8) << 8;
        QTest::newRow("macro slot 16") << 0x05 << 3200 << QByteArray(20, '\x06') << 20;
        QTest::newRow("macro past the end") << 0x05 << 3990 << QByteArray(20, '\x11') << 10;
        QTest::newRow("table past the end") << 0x04 << 120 << QByteArray(20, '\x22') << 8;
    }

    void tablesAtOffsets()
    {
        QFETCH(int, table);
        QFETCH(int, offset);
        QFETCH(QByteArray, data);
        QFETCH(int, stored);
        MouseSim &sim = MouseSim::instance();
        exchange(makeCommand(std::uint8_t(table), std::uint8_t(offset & 0xFF),
                             std::uint8_t(table == 5 ? offset >> 8 : 0), vec(data), 0xD2));
        QCOMPARE(int(drain(m_pDev).size()), 1);
        const std::vector<std::uint8_t> t = sim.table(std::uint8_t(table));
        QCOMPARE(bytes(t, std::size_t(offset), std::size_t(stored)), data.left(stored));
        int nonZero = 0;
        for (std::uint8_t b : t)
            nonZero += b != 0;
        QCOMPARE(nonZero, int(std::count_if(data.begin(), data.begin() + stored, [](char c) { return c != 0; })));
        QCOMPARE(sim.tableWrites(std::uint8_t(table)), 1);
        QVERIFY(!sim.tableClosed(std::uint8_t(table)));
    }

    void closingPackets_data()
    {
        QTest::addColumn<QByteArray>("packet");
        QTest::addColumn<int>("table");
        QTest::addColumn<bool>("closes");
        QTest::newRow("general") << bytes(closing(0x01)) << 0x01 << true;
        QTest::newRow("lighting") << bytes(closing(0x04)) << 0x04 << true;
        QTest::newRow("macro area") << bytes(closing(0x05)) << 0x05 << true;
        QTest::newRow("wrong offset") << bytes(makeCommand(0x02, 0x00, 0, {0x1A}, 0xD3)) << 0x02 << false;
        QTest::newRow("wrong data") << bytes(makeCommand(0x03, 0x7F, 0, {0x1B}, 0xD3)) << 0x03 << false;
        QTest::newRow("macro closed like a table") << bytes(makeCommand(0x05, 0x7F, 0, {0x1A}, 0xD3)) << 0x05 << false;
    }

    void closingPackets()
    {
        QFETCH(QByteArray, packet);
        QFETCH(int, table);
        QFETCH(bool, closes);
        MouseSim &sim = MouseSim::instance();
        Report r{};
        std::copy(packet.begin(), packet.end(), r.begin());
        exchange(r);
        QCOMPARE(int(drain(m_pDev).size()), 1); // echoed either way
        QCOMPARE(sim.tableClosed(std::uint8_t(table)), closes);
        const auto ev = sim.events();
        QCOMPARE(int(ev.size()), closes ? 1 : 0);
        if (closes) {
            QCOMPARE(ev[0].kind, EventKind::TableClosed);
            QCOMPARE(int(ev[0].command), table);
        } else {
            QCOMPARE(sim.tableWrites(std::uint8_t(table)), 1); // taken as data instead
        }
    }

    void eventsInOrder()
    {
        MouseSim &sim = MouseSim::instance();
        exchange(makeCommand(0x46, 0));
        exchange(makeCommand(0x40, 0xF3, 0x04));
        exchange(makeCommand(0x40, 0xF3, 0x10));
        exchange(makeCommand(0x46, 1));
        const auto ev = sim.events();
        QCOMPARE(int(ev.size()), 4);
        QCOMPARE(ev[0].kind, EventKind::TransferMark);
        QCOMPARE(int(ev[0].param1), 0);
        QCOMPARE(ev[1].kind, EventKind::Completion);
        QCOMPARE(int(ev[1].param2), 0x04);
        QCOMPARE(int(ev[2].param2), 0x10);
        QCOMPARE(ev[3].kind, EventKind::TransferMark);
        QCOMPARE(int(ev[3].param1), 1);
        QVERIFY(ev[0].timeUs <= ev[3].timeUs);
        sim.clearEvents();
        QVERIFY(sim.events().empty());
    }

    void generalSettingsTakeEffectWhenClosed()
    {
        MouseSim &sim = MouseSim::instance();
        const std::vector<std::uint8_t> data = {1, 2, 3, 4, 5, 2, 3, 1, 4, 1, 1, 1, 2, 4, 8, 1, 0x1F, 6, 8};
        exchange(makeCommand(0x01, 0, 0, data, 0xD1));
        QCOMPARE(int(sim.firmwareState().profile), 0); // not yet in effect
        exchange(closing(0x01));

        const mousesim::GeneralSettings g = sim.generalSettings();
        QCOMPARE(int(g.scrollSpeed[4]), 5);
        QCOMPARE(int(g.liftHigh), 2);
        QCOMPARE(int(g.profileId), 3);
        QCOMPARE(int(g.ledMoveOff), 1);
        QCOMPARE(int(g.ledSleepTime), 4);
        QCOMPARE(int(g.fixed9), 1);
        QCOMPARE(int(g.pollRate[3]), 8);
        QCOMPARE(int(g.fixed16), 0x1F);
        QCOMPARE(int(g.dpi), 6);
        QCOMPARE(int(g.effectCode), 8);

        const mousesim::FirmwareState fw = sim.firmwareState();
        QCOMPARE(int(fw.profile), 3);
        QCOMPARE(int(fw.dpiLevel[3]), 6);
        QCOMPARE(int(fw.rate[3]), 8);
        QCOMPARE(int(fw.effect), 8);
    }

    void decodedTables()
    {
        MouseSim &sim = MouseSim::instance();
        // DPI: count 2, level 1 used with X 0x0140|bit15 and Y 60 range 1; stored for profile 2.
        std::vector<std::uint8_t> general(19, 0);
        general[6] = 2;
        exchange(makeCommand(0x01, 0, 0, general, 0xD1));
        exchange(closing(0x01));
        exchange(makeCommand(0x02, 0, 0, {2}, 0xD1));
        exchange(makeCommand(0x02, 6, 0, {1, 0x40, 0x81, 60, 1}, 0xD2));
        exchange(closing(0x02));
        for (const mousesim::DpiTable &t : {sim.dpiTable(), sim.dpiTable(2)}) {
            QCOMPARE(int(t.count), 2);
            QCOMPARE(int(t.levels[1].used), 1);
            QCOMPARE(int(t.levels[1].xWord()), 0x8140);
            QCOMPARE(int(t.levels[1].yLow), 60);
            QCOMPARE(int(t.levels[1].yHigh), 1);
            QCOMPARE(int(t.levels[0].used), 0);
        }
        QCOMPARE(int(sim.dpiTable(0).count), 0);
        QCOMPARE(int(sim.dpiTable(7).count), 0);

        // Buttons: header, slot 5 at offset 22, trailer.
        exchange(makeCommand(0x03, 0, 0, {0x0A, 0x00}, 0xD1));
        exchange(makeCommand(0x03, 22, 0, {0x91, 0x81, 0xFF, 0xFF}, 0xD2));
        exchange(makeCommand(0x03, 98, 0, {0xFF, 0xFF, 0xFF, 0xFF}, 0xD2));
        const mousesim::ButtonTable b = sim.buttonTable();
        QCOMPARE(int(b.header0), 0x0A);
        QCOMPARE(bytes(std::vector<std::uint8_t>(b.records[5].bytes.begin(), b.records[5].bytes.end()), 0, 4),
                 bytes({0x91, 0x81, 0xFF, 0xFF}));
        QCOMPARE(int(b.records[4].bytes[0]), 0);
        QCOMPARE(int(b.trailer[3]), 0xFF);

        // Lighting record 1 and macro slot 1.
        exchange(makeCommand(0x04, 8, 0, {0x80, 10, 20, 30, 1, 0, 2, 3}, 0xD1));
        QCOMPARE(int(sim.lighting()[1].bytes[3]), 30);
        QCOMPARE(int(sim.lighting()[1].bytes[7]), 3);
        exchange(makeCommand(0x05, 200, 0, {0x06, 0x01, 0x00}, 0xD2));
        QCOMPARE(bytes(sim.macroSlot(1), 0, 4), bytes({6, 1, 0, 0}));
        QVERIFY(sim.macroSlot(20).empty());
    }

    void statusAnswer_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("charge");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("variant");
        QTest::addColumn<bool>("asleep");
        QTest::newRow("charging") << 0x2C << 0x10 << 1 << 0 << 0 << false;
        QTest::newRow("write pending variant 8") << 0x00 << 0x0F << 0 << 5 << 8 << false;
        QTest::newRow("asleep") << 0x2C << 0x10 << 1 << 5 << 8 << true;
    }

    void statusAnswer()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(int, charge);
        QFETCH(int, status);
        QFETCH(int, variant);
        QFETCH(bool, asleep);
        MouseSim &sim = MouseSim::instance();
        sim.setBatteryBytes(std::uint8_t(low), std::uint8_t(high));
        sim.setCharging(std::uint8_t(charge));
        sim.setWriteStatus(std::uint8_t(status));
        sim.setVariant(std::uint8_t(variant));
        sim.setAsleep(asleep);
        exchange(makeCommand(0x48));
        const std::vector<Report> got = drain(m_pDev);
        QCOMPARE(int(got.size()), 1);
        const Report &a = got.front();
        QCOMPARE(int(a[0]), 0x05);
        QCOMPARE(int(a[3]), 0x48);
        QCOMPARE(bytes(a).mid(4, 4), asleep ? bytes({0, 0, 0, 0}) : bytes({low, high, charge, status}));
        QCOMPARE(int(a[10]), asleep ? 0 : variant);

        // Asleep, the mouse leaves commands unanswered and unstored.
        exchange(makeCommand(0x01, 0, 0, {7}, 0xD1));
        QCOMPARE(int(drain(m_pDev).size()), asleep ? 0 : 1);
        QCOMPARE(int(sim.table(0x01)[0]), asleep ? 0 : 7);
    }

    void ownStatusReports()
    {
        MouseSim &sim = MouseSim::instance();
        hid_device *mouse = hid_open_path(MouseSim::path(Identity::Receiver, 1).c_str());
        // Enabled levels 0, 2, 5 of six for the active profile.
        exchange(makeCommand(0x02, 0, 0, {6}, 0xD1));
        exchange(makeCommand(0x02, 1, 0, {1, 0, 0, 0, 0}, 0xD2));
        exchange(makeCommand(0x02, 11, 0, {1, 0, 0, 0, 0}, 0xD2));
        exchange(makeCommand(0x02, 26, 0, {1, 0, 0, 0, 0}, 0xD2));
        exchange(makeCommand(0x02, 36, 0, {1, 0, 0, 0, 0}, 0xD2)); // level 7, beyond the count
        exchange(closing(0x02));
        drain(m_pDev);

        sim.pressDpiButton();
        sim.pressDpiButton();
        sim.pressDpiButton();
        sim.pressRateButton();
        sim.pressEffectButton();
        sim.pressProfileButton();
        const std::vector<Report> got = drain(m_pDev);
        QCOMPARE(int(got.size()), 6);
        const int expected[6][4] = {{0, 2, 1, 1}, {0, 5, 1, 1}, {0, 0, 1, 1}, {0, 0, 2, 1}, {0, 0, 2, 2}, {1, 0, 1, 2}};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(int(got[std::size_t(i)][3]), 0x49);
            QCOMPARE(int(got[std::size_t(i)][1]), int(mousesim::checksum(got[std::size_t(i)])));
            for (int j = 0; j < 4; ++j)
                QCOMPARE(int(got[std::size_t(i)][std::size_t(4 + j)]), expected[i][j]);
        }
        QCOMPARE(int(drain(mouse).size()), 0); // only the command collection carries them
        hid_close(mouse);

        sim.setAsleep(true);
        sim.sendStatusReport(2, 3, 4, 5);
        const std::vector<Report> raw = drain(m_pDev);
        QCOMPARE(int(raw.size()), 1);
        QCOMPARE(bytes(raw[0]).mid(3, 5), bytes({0x49, 2, 3, 4, 5}));
    }
};

QTEST_GUILESS_MAIN(TestSimFirmware)
#include "tst_simfirmware.moc"
