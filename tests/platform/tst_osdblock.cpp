// The message block for the on-screen display, byte for byte, and its reading.
#include "OsdBlock.h"

#include <QtTest>

namespace {

QByteArray bytes(const osdblock::Block &block)
{
    return QByteArray(reinterpret_cast<const char *>(block.data()), int(block.size()));
}

// The expected block laid out by hand: UTF-16LE strings, little-endian numbers.
QByteArray expectedBlock(const QString &shownText, QByteArray colourBytes)
{
    QByteArray b(1044, '\0');
    const QByteArray text(reinterpret_cast<const char *>(shownText.utf16()), shownText.size() * 2);
    b.replace(0, text.size(), text);
    b.replace(516, 4, QByteArray::fromHex("dc050000"));
    b.replace(524, 4, colourBytes);
    b.replace(528, 4, QByteArray::fromHex("3c000000"));
    b.replace(532, 10, QByteArray::fromHex("41007200690061006c00")); // "Arial"
    return b;
}

} // namespace

class TestOsdBlock : public QObject
{
    Q_OBJECT

private slots:
    void layout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("colourBytes");

        QTest::newRow("profile, theme 3")
            << "Profile 3" << 219 << 200 << 182 << "Profile 3" << QByteArray::fromHex("dbc8b600");
        QTest::newRow("rate, theme 6") << "500 HZ" << 255 << 125 << 0 << "500 HZ" << QByteArray::fromHex("ff7d0000");
        QTest::newRow("empty text") << "" << 0 << 0 << 255 << "" << QByteArray::fromHex("0000ff00");
        QTest::newRow("translated") << QStringLiteral("配置文件 3") << 0 << 255 << 0 << QStringLiteral("配置文件 3")
                                    << QByteArray::fromHex("00ff0000");
        QTest::newRow("255 units, kept whole")
            << QString(255, 'x') << 1 << 2 << 3 << QString(255, 'x') << QByteArray::fromHex("01020300");
        QTest::newRow("300 units, cut to 255")
            << QString(300, 'y') << 1 << 2 << 3 << QString(255, 'y') << QByteArray::fromHex("01020300");
        // 254 units, then a character of two units across the limit: dropped whole
        QTest::newRow("pair across the cut") << QString(254, 'z') + QStringLiteral("\U0001F5B1") + "tail" << 1 << 2 << 3
                                             << QString(254, 'z') << QByteArray::fromHex("01020300");
        QTest::newRow("pair ending at the limit")
            << QString(253, 'z') + QStringLiteral("\U0001F5B1") + "tail" << 1 << 2 << 3
            << QString(253, 'z') + QStringLiteral("\U0001F5B1") << QByteArray::fromHex("01020300");
    }

    void layout()
    {
        QFETCH(QString, text);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QFETCH(QString, shown);
        QFETCH(QByteArray, colourBytes);
        const QByteArray block =
            bytes(osdblock::buildBlock(text.toStdU16String(), osdblock::colourRef(red, green, blue)));
        QCOMPARE(block.toHex(), expectedBlock(shown, colourBytes).toHex());

        osdblock::Message read;
        QVERIFY(osdblock::readBlock(reinterpret_cast<const std::uint8_t *>(block.constData()), 1044, &read));
        QCOMPARE(QString::fromStdU16String(read.text), shown);
        QCOMPARE(read.colour, quint32(red | green << 8 | blue << 16));
        QCOMPARE(read.showTimeMs, 1500);
        QCOMPARE(read.textHeight, 60);
        QCOMPARE(QString::fromStdU16String(read.font), QStringLiteral("Arial"));
    }

    // What the companion makes of blocks it did not get from this program.
    void readingForeignBlocks()
    {
        osdblock::Message read;
        read.text = u"before";
        const QByteArray full(1044, 'A');
        const auto *data = reinterpret_cast<const std::uint8_t *>(full.constData());
        QVERIFY(!osdblock::readBlock(data, 1043, &read));
        QVERIFY(!osdblock::readBlock(data, 1045, &read));
        QVERIFY(!osdblock::readBlock(nullptr, 1044, &read));
        QCOMPARE(QString::fromStdU16String(read.text), QStringLiteral("before"));
        // No NUL anywhere: each string stops at 255 units, inside its own field.
        QVERIFY(osdblock::readBlock(data, 1044, &read));
        QCOMPARE(QString::fromStdU16String(read.text), QString(255, QChar(0x4141)));
        QCOMPARE(QString::fromStdU16String(read.font), QString(255, QChar(0x4141)));
        QCOMPARE(read.colour, 0x41414141u);
    }

    void socketPathKeepsUsersApart()
    {
        QCOMPARE(QString::fromStdString(osdblock::socketPath("/run/user/1000", 1000)),
                 QStringLiteral("/run/user/1000/QRVM-Wireless-Mouse-OSD-1000"));
        QVERIFY(osdblock::socketPath("/tmp", 1000) != osdblock::socketPath("/tmp", 1001));
    }
};

QTEST_APPLESS_MAIN(TestOsdBlock)
#include "tst_osdblock.moc"
