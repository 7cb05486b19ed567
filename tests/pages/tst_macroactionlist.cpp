// The macro action list: what each cell shows for every action kind, the
// model's raw values and headers, and the delegate's painting.

#include "MacroCellView.h"
#include "TarnItemModel.h"
#include "TarnMacroItemDelegate.h"

#include <QPainter>
#include <QtTest>

#include <algorithm>

class TstMacroActionList : public QObject
{
    Q_OBJECT
private slots:
    void cells_data();
    void cells();
    void modelKeepsRawValues();
    void delegatePaintsRow();
};

void TstMacroActionList::cells_data()
{
    QTest::addColumn<QString>("map");
    QTest::addColumn<int>("dataH");
    QTest::addColumn<int>("dataL");
    QTest::addColumn<QStringList>("cells"); // icon, text of KEY; icon, text of ACTION; text of DELAY(ms)

    const QString kb = "/skin/keybo.png", mouse = "/skin/mouse_move.png", down = "/skin/keydown.png",
                  up = "/skin/keyup.png";
    QTest::newRow("key press A") << "132" << 0 << 4 << QStringList{kb, "A", down, "Press", ""};
    QTest::newRow("key release Enter") << "4" << 0 << 40 << QStringList{kb, "Enter", up, "Release", ""};
    QTest::newRow("button press left") << "129" << 0 << 1 << QStringList{mouse, "LEFT CLICK", down, "Press", ""};
    QTest::newRow("button release backward") << "1" << 0 << 16 << QStringList{mouse, "BACKWARD", up, "Release", ""};
    QTest::newRow("move right 120") << "2" << 0 << 120 << QStringList{mouse, "MOVE RIGHT", "", "120", ""};
    QTest::newRow("move left 135") << "2" << 0 << 121 << QStringList{mouse, "MOVE LEFT", "", "135", ""};
    QTest::newRow("move left 5") << "2" << 0 << 251 << QStringList{mouse, "MOVE LEFT", "", "5", ""};
    QTest::newRow("move down 5") << "2" << 5 << 0 << QStringList{mouse, "MOVE DOWN", "", "5", ""};
    QTest::newRow("move up 5") << "2" << 251 << 0 << QStringList{mouse, "MOVE UP", "", "5", ""};
    QTest::newRow("delay 3000 ms") << "6" << 1 << 44 << QStringList{"/skin/delay.png", "", "", "", "3000"};
    QTest::newRow("unknown map 3") << "3" << 7 << 9 << QStringList{kb, "driverText", "", "", ""};
    QTest::newRow("empty map shows nothing") << "" << 0 << 15 << QStringList{"", "", "", "", ""};
    QTest::newRow("map compared as text") << "0132" << 0 << 4 << QStringList{kb, "driverText", "", "", ""};
}

void TstMacroActionList::cells()
{
    QFETCH(QString, map);
    QFETCH(int, dataH);
    QFETCH(int, dataL);
    QFETCH(QStringList, cells);
    const QStringList icons{cells[0], cells[2], QString()};
    const QStringList texts{cells[1], cells[3], cells[4]};

    TarnItemModel model;
    model.appendRow(
        {new QStandardItem(map), new QStandardItem(QString::number(dataH)), new QStandardItem(QString::number(dataL))});
    for (int column = 0; column < MacroColumnCount; ++column) {
        const MacroCellView view = macroCellView(map, dataH, dataL, column);
        QCOMPARE(view.icon, icons[column]);
        QCOMPARE(view.text, texts[column]);
        // Screen readers get the painted words, the display role keeps the byte.
        const QString read = model.data(model.index(0, column), Qt::AccessibleTextRole).toString();
        QVERIFY(!read.isEmpty());
        if (!texts[column].isEmpty())
            QCOMPARE(read, texts[column]);
    }
    QCOMPARE(model.index(0, 0).data().toString(), map);
}

void TstMacroActionList::modelKeepsRawValues()
{
    TarnItemModel model;
    const QList<MacroRowValues> rows{{3, 7, 9}, {300, -1, 65536}, {132, 0, 4}};
    for (const MacroRowValues &row : rows)
        model.appendAction(row.map, row.dataH, row.dataL);
    QCOMPARE(model.rowCount(), rows.size());
    for (int i = 0; i < rows.size(); ++i)
        QVERIFY(model.action(i) == rows[i]);
    QCOMPARE(model.index(1, 2).data().toString(), QString("65536"));
    QVERIFY(model.action(rows.size()) == MacroRowValues());

    const QStringList headers{"KEY", "ACTION", "DELAY(ms)"};
    const TarnItemModel sized(2, 3);
    QCOMPARE(model.columnCount(), 3);
    for (int column = 0; column < 3; ++column) {
        QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), headers[column]);
        QCOMPARE(sized.headerData(column, Qt::Horizontal).toString(), headers[column]);
    }
}

void TstMacroActionList::delegatePaintsRow()
{
    TarnItemModel model;
    model.appendAction(3, 0, 0);
    TarnMacroItemDelegate delegate;
    QCOMPARE(delegate.selectedBackground(), QColor(Qt::white));
    QCOMPARE(delegate.selectedText(), QColor(Qt::black));
    delegate.setSelectionColors(Qt::red, Qt::blue);

    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 160, 24);
    option.palette.setColor(QPalette::Text, Qt::white);
    const auto render = [&](QStyle::State state) {
        QImage image(option.rect.size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        option.state = QStyle::State_Enabled | state;
        QPainter painter(&image);
        delegate.paint(&painter, option, model.index(0, 0));
        painter.end();
        return image;
    };
    const auto hasPixel = [](const QImage &image, const QColor &color) {
        const QRgb *first = reinterpret_cast<const QRgb *>(image.constBits()), *last = first + image.sizeInBytes() / 4;
        return std::find(first, last, color.rgb()) != last;
    };
    const QImage plain = render(QStyle::State_None);
    QCOMPARE(plain.pixelColor(0, 0), QColor(Qt::black)); // not selected: no fill
    QVERIFY(hasPixel(plain, Qt::white));                 // "driverText" in the palette's text colour

    const QImage selected = render(QStyle::State_Selected);
    QCOMPARE(selected.pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(selected.pixelColor(159, 23), QColor(Qt::red));
    QVERIFY(hasPixel(selected, Qt::blue));
}

QTEST_MAIN(TstMacroActionList)
#include "tst_macroactionlist.moc"
