// The simulated bus as a host sees it through hidapi: which records are
// listed, what their paths look like, and what open handles do when the
// device goes away.

#include "SimTestSupport.h"

#include <QRegularExpression>

using namespace simtest;
using mousesim::Identity;

namespace {

struct Info
{
    QString path;
    int vid, pid, page, usage, release, iface;
};

QList<Info> enumerateAll()
{
    QList<Info> out;
    hid_device_info *devs = hid_enumerate(0, 0);
    for (hid_device_info *d = devs; d; d = d->next)
        out.append(Info{QString::fromLatin1(d->path), d->vendor_id, d->product_id, d->usage_page, d->usage,
                        d->release_number, d->interface_number});
    hid_free_enumeration(devs);
    return out;
}

// The host's rule: a command collection is page 1 / usage 0; the receiver's
// must also carry the col04 marker. Returns the path the host would keep
// (a later record overwrites an earlier one).
QString hostCommandPath(const QList<Info> &infos, int pid, bool needMarker)
{
    QString found;
    for (const Info &i : infos)
        if (i.vid == 0x248A && i.pid == pid && i.page == 1 && i.usage == 0 &&
            (!needMarker || i.path.contains(QLatin1String("col04"), Qt::CaseInsensitive)))
            found = i.path;
    return found;
}

// The interface-name patterns of device-change notifications.
int collectionOfName(const QString &path)
{
    static const char *patterns[] = {"HID#VID_(?<vid>\\w{4})&PID_(?<pid>\\w{4})&col01",
                                     "HID#VID_(?<vid>\\w{4})&PID_(?<pid>\\w{4})&col04",
                                     "HID#VID_(?<vid>\\w{4})&PID_(?<pid>\\w{4})&MI_00&col01",
                                     "HID#VID_(?<vid>\\w{4})&PID_(?<pid>\\w{4})&MI_00&col04"};
    static const int collections[] = {1, 4, 1, 4};
    for (int i = 0; i < 4; ++i)
        if (QRegularExpression(QLatin1String(patterns[i]), QRegularExpression::CaseInsensitiveOption)
                .match(path)
                .hasMatch())
            return collections[i];
    return 0;
}

} // namespace

class TestSimBus : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        MouseSim::instance().reset();
        MouseSim::instance().setVirtualTime(true);
    }

    void enumeration_data()
    {
        QTest::addColumn<bool>("receiver");
        QTest::addColumn<bool>("cable");
        QTest::addColumn<bool>("decoys");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("foreignVendor");

        QTest::newRow("nothing plugged") << false << false << false << 0 << false;
        QTest::newRow("receiver") << true << false << false << 4 << false;
        QTest::newRow("cable") << false << true << false << 4 << false;
        QTest::newRow("both") << true << true << false << 8 << false;
        QTest::newRow("receiver and decoys") << true << false << true << 6 << true;
        QTest::newRow("decoys alone") << false << false << true << 1 << true;
    }

    void enumeration()
    {
        QFETCH(bool, receiver);
        QFETCH(bool, cable);
        QFETCH(bool, decoys);
        QFETCH(int, records);
        QFETCH(bool, foreignVendor);
        MouseSim &sim = MouseSim::instance();
        sim.plug(Identity::Receiver, receiver);
        sim.plug(Identity::Cable, cable);
        sim.setDecoys(decoys);

        const QList<Info> infos = enumerateAll();
        QCOMPARE(infos.size(), records);

        bool sawForeign = false;
        for (const Info &i : infos) {
            QVERIFY2(i.path.startsWith(QLatin1String("\\\\?\\hid#vid_")), qPrintable(i.path));
            QVERIFY2(i.path.endsWith(QLatin1String("#{4d1e55b2-f16f-11cf-88cb-001111000030}")), qPrintable(i.path));
            QCOMPARE(i.path, i.path.toLower());
            if (i.vid == 0x04D9)
                sawForeign = true;
            else
                QCOMPARE(i.vid, 0x248A);
            if (i.vid == 0x248A && i.page == 1 && (i.usage == 2 || i.usage == 0) && collectionOfName(i.path)) {
                // Every mouse/command collection is recognisable from its notification name.
                QCOMPARE(collectionOfName(i.path), i.usage == 2 ? 1 : 4);
            }
        }
        QCOMPARE(sawForeign, foreignVendor);

        // Exactly the plugged identities offer a mouse and a command collection.
        const QString rx = hostCommandPath(infos, 0xFA02, true);
        const QString cx = hostCommandPath(infos, 0xFB01, false);
        QCOMPARE(!rx.isEmpty(), receiver);
        QCOMPARE(!cx.isEmpty(), cable);
        if (receiver)
            QCOMPARE(rx.toStdString(), MouseSim::path(Identity::Receiver, 4));
        if (cable)
            QCOMPARE(cx.toStdString(), MouseSim::path(Identity::Cable, 4));
        // With decoys, ignoring the marker leads the host to the decoy.
        if (receiver && decoys) {
            const QString careless = hostCommandPath(infos, 0xFA02, false);
            QVERIFY(careless != rx);
            QVERIFY(!careless.contains(QLatin1String("col04")));
        }
    }

    void windowsPaths_data()
    {
        QTest::addColumn<int>("identity");
        QTest::addColumn<int>("collection");
        QTest::addColumn<QString>("path");
        QTest::newRow("receiver mouse")
            << 0 << 1
            << "\\\\?\\hid#vid_248a&pid_fa02&mi_00&col01#8&1d4c9a3e&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
        QTest::newRow("receiver command")
            << 0 << 4
            << "\\\\?\\hid#vid_248a&pid_fa02&mi_00&col04#8&1d4c9a3e&0&0003#{4d1e55b2-f16f-11cf-88cb-001111000030}";
        QTest::newRow("cable mouse")
            << 1 << 1 << "\\\\?\\hid#vid_248a&pid_fb01&col01#7&5e0d2c17&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
        QTest::newRow("cable command")
            << 1 << 4 << "\\\\?\\hid#vid_248a&pid_fb01&col04#7&5e0d2c17&0&0003#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    }

    void windowsPaths()
    {
        QFETCH(int, identity);
        QFETCH(int, collection);
        QFETCH(QString, path);
        const Identity id = identity == 0 ? Identity::Receiver : Identity::Cable;
        QCOMPARE(QString::fromStdString(MouseSim::path(id, collection)), path);
        MouseSim::instance().plug(id, true);
        bool listed = false;
        for (const Info &i : enumerateAll()) {
            if (i.path == path) {
                listed = true;
                QCOMPARE(i.usage, collection == 1 ? 2 : 0);
                QCOMPARE(i.page, 1);
                QCOMPARE(i.iface, identity == 0 ? 0 : -1);
            }
        }
        QVERIFY(listed);
    }

    void releaseNumbersAndStrings()
    {
        MouseSim &sim = MouseSim::instance();
        sim.plug(Identity::Cable, true);
        sim.setReleaseNumber(Identity::Cable, 0x0321);
        int seen = 0;
        for (const Info &i : enumerateAll()) {
            if (i.pid == 0xFB01) {
                QCOMPARE(i.release, 0x0321);
                ++seen;
            }
        }
        QCOMPARE(seen, 4);

        hid_device *dev = openCommand(Identity::Cable);
        QVERIFY(dev);
        wchar_t text[8];
        QCOMPARE(hid_get_product_string(dev, text, 8), 0);
        QCOMPARE(QString::fromWCharArray(text), QStringLiteral("Wireles")); // bounded and terminated
        hid_device_info *info = hid_get_device_info(dev);
        QVERIFY(info);
        QCOMPARE(info->release_number, 0x0321);
        hid_close(dev);
    }

    void openAndPull()
    {
        MouseSim &sim = MouseSim::instance();
        QVERIFY(!openCommand(Identity::Cable)); // not plugged
        QVERIFY(!hid_open_path("\\\\?\\hid#vid_248a&pid_fa02&mi_00&col09#x"));

        hid_device *dev = openCommand();
        QVERIFY(dev);
        QCOMPARE(sim.openHandleCount(), 1);
        const Report q = mousesim::makeCommand(0x48);
        QCOMPARE(send(dev, q), 33);

        sim.plug(Identity::Receiver, false);
        Report r{};
        QCOMPARE(hid_read_timeout(dev, r.data(), r.size(), 50), -1); // queued answer is gone with the device
        QCOMPARE(send(dev, q), -1);
        QVERIFY(QString::fromWCharArray(hid_error(dev)).contains(QLatin1String("not connected")));
        QVERIFY(hostCommandPath(enumerateAll(), 0xFA02, true).isEmpty());

        // Plugging again does not revive the old handle.
        sim.plug(Identity::Receiver, true);
        QCOMPARE(send(dev, q), -1);
        hid_device *fresh = openCommand();
        QVERIFY(fresh);
        QCOMPARE(send(fresh, q), 33);
        QCOMPARE(int(drain(fresh).size()), 1);
        hid_close(dev);
        hid_close(fresh);
        QCOMPARE(sim.openHandleCount(), 0);
    }

    void mouseCollectionTakesNoCommands()
    {
        hid_device *mouse = hid_open_path(MouseSim::path(Identity::Receiver, 1).c_str());
        QVERIFY(mouse);
        QCOMPARE(send(mouse, mousesim::makeCommand(0x48)), -1);
        QCOMPARE(MouseSim::instance().countOut(0x48), 0);
        hid_close(mouse);
    }

    void writeRules_data()
    {
        QTest::addColumn<int>("reportId");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("answers");
        QTest::newRow("full report") << 0x05 << 33 << 33 << 1;
        QTest::newRow("short report is padded") << 0x05 << 8 << 33 << 1;
        QTest::newRow("too long") << 0x05 << 64 << -1 << 0;
        QTest::newRow("wrong report id") << 0x04 << 33 << -1 << 0;
        QTest::newRow("empty") << 0x05 << 0 << -1 << 0;
    }

    void writeRules()
    {
        QFETCH(int, reportId);
        QFETCH(int, length);
        QFETCH(int, result);
        QFETCH(int, answers);
        hid_device *dev = openCommand();
        unsigned char buf[64] = {};
        const Report q = mousesim::makeCommand(0x48);
        std::copy(q.begin(), q.end(), buf);
        buf[0] = std::uint8_t(reportId);
        QCOMPARE(hid_write(dev, buf, std::size_t(length)), result);
        QCOMPARE(int(drain(dev).size()), answers);
        hid_close(dev);
    }

    void nonBlockingRead()
    {
        MouseSim &sim = MouseSim::instance();
        sim.setVirtualTime(false);
        hid_device *dev = openCommand();
        QCOMPARE(hid_set_nonblocking(dev, 1), 0);
        unsigned char buf[33];
        QCOMPARE(hid_read(dev, buf, sizeof buf), 0); // nothing queued, no waiting
        sim.pressProfileButton();
        QCOMPARE(hid_read(dev, buf, sizeof buf), 33);
        QCOMPARE(int(buf[3]), 0x49);
        hid_close(dev);
    }

    void initFailure()
    {
        MouseSim &sim = MouseSim::instance();
        sim.setInitFails(true);
        QCOMPARE(hid_init(), -1);
        QVERIFY(!hid_enumerate(0, 0));
        QVERIFY(!openCommand());
        QVERIFY(hid_error(nullptr));
        sim.setInitFails(false);
        QCOMPARE(hid_init(), 0);
        QCOMPARE(hid_exit(), 0);
    }

    void unsupportedCallsFail()
    {
        hid_device *dev = openCommand();
        unsigned char buf[33] = {5};
        QCOMPARE(hid_send_feature_report(dev, buf, 33), -1);
        QCOMPARE(hid_get_feature_report(dev, buf, 33), -1);
        QVERIFY(QString::fromWCharArray(hid_error(dev)) != QLatin1String("Success"));
        hid_close(dev);
    }
};

QTEST_GUILESS_MAIN(TestSimBus)
#include "tst_simbus.moc"
