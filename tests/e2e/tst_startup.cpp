// Start-up of the demo executable on a real X server (Xvfb): window size per
// screen DPI, the single-instance rule, and the screenshot it takes of itself.
// Every start runs on a private copy of the application directory, because the
// program keeps its Configs/ beside the executable.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

const int kScreenWidth = 1920;
const int kScreenHeight = 1080;
const char kVirtualMouseTitle[] = "Virtual mouse";

struct WindowGeometry
{
    int x = -1;
    int y = -1;
    int width = -1;
    int height = -1;
};

struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
};

ToolRun runTool(const QString &program, const QStringList &args, const QString &display)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    p.setProcessEnvironment(env);
    p.start(program, args);
    ToolRun r;
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    return r;
}

QString tail(const QString &path, int lines = 15)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("(no log at %1)").arg(path);
    const QStringList all = QString::fromLocal8Bit(f.readAll()).split('\n');
    return all.mid(qMax(0, all.size() - lines)).join('\n');
}

// What the simulated mouse has traced so far; nothing while the file is not there yet.
QStringList traceLines(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts) : QStringList();
}

// The last traced line that starts with prefix, without the prefix; empty while there is none.
QString lastTraced(const QString &path, const QString &prefix)
{
    QString found;
    for (const QString &line : traceLines(path)) {
        if (line.startsWith(prefix))
            found = line.mid(prefix.size());
    }
    return found;
}

bool tracedEveryTable(const QStringList &lines)
{
    return lines.contains("table 1") && lines.contains("table 2") && lines.contains("table 3") &&
           lines.contains("table 4");
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void windowSizeAndSingleInstance_data();
    void windowSizeAndSingleInstance();
    void otherModelRunsBeside();
    void screenshot_data();
    void screenshot();
    void applyByRealClick();
    void osdShowsTheMouseOwnSwitch();
    void recordMacroAndApply();
    void pullAndPlugTheReceiver();
    void keysCapturedFromTheKeyboard();

private:
    bool startScreen(int dpi, const QString &logName);
    QProcess *startApp(const QString &appDir, const QString &logName, const QString &screenshot = QString(),
                       const QString &trace = QString());
    QStringList visibleWindows(const QString &title) const;
    QString waitForWindow(const QString &title, QProcess *owner, int timeoutMs);
    WindowGeometry geometry(const QString &windowId) const;
    // Moves the pointer to (x, y) of the window g and clicks there.
    bool clickAt(const WindowGeometry &g, int x, int y) const;
    bool copyAppDir(const QString &to) const;
    void stop(QProcess *p) const;

    QString m_sXvfb;
    QString m_sXdotool;
    QString m_sOutputDir;
    QTemporaryDir m_appCopy;
    QTemporaryDir m_runtimeDir;
    QString m_sProductName;
    std::unique_ptr<QProcess> m_pXvfb;
    QString m_sDisplay;
    std::vector<std::unique_ptr<QProcess>> m_apps;
};

void TestStartup::initTestCase()
{
    m_sXvfb = QStandardPaths::findExecutable("Xvfb");
    if (m_sXvfb.isEmpty())
        QSKIP("Xvfb is not installed (scripts/install-deps.sh installs it); the end-to-end tests need a "
              "virtual X screen");
    m_sXdotool = QStandardPaths::findExecutable("xdotool");
    QVERIFY2(!m_sXdotool.isEmpty(), "xdotool is not installed (scripts/install-deps.sh installs it)");
    QVERIFY2(QFileInfo(MOUSECFG_APPDIR "/mousecfg-sim").isExecutable(),
             "mousecfg-sim is missing from the assembled application directory " MOUSECFG_APPDIR);

    m_sOutputDir = MOUSECFG_E2E_OUTPUT_DIR;
    QVERIFY(QDir().mkpath(m_sOutputDir));
    QVERIFY(m_appCopy.isValid());
    QVERIFY(m_runtimeDir.isValid());
    QVERIFY2(copyAppDir(m_appCopy.path()), "copying the application directory failed");

    m_sProductName = QSettings(m_appCopy.path() + "/DefaultProfile.bin", QSettings::IniFormat)
                         .value("PROFILE/ProductName")
                         .toString();
    QVERIFY2(!m_sProductName.isEmpty(), "the sample DefaultProfile.bin names no product");
}

void TestStartup::cleanup()
{
    // Newest first, so that nothing outlives the screen it draws on.
    while (!m_apps.empty()) {
        stop(m_apps.back().get());
        m_apps.pop_back();
    }
    if (m_pXvfb) {
        stop(m_pXvfb.get());
        m_pXvfb.reset();
    }
    m_sDisplay.clear();
}

void TestStartup::windowSizeAndSingleInstance_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QTest::newRow("dpi96 scale 1.00") << 96 << 999 << 640;
    QTest::newRow("dpi144 scale 1.50") << 144 << 1498 << 960;
}

void TestStartup::windowSizeAndSingleInstance()
{
    QFETCH(int, dpi);
    QFETCH(int, width);
    QFETCH(int, height);
    const QString tag = QStringLiteral("dpi%1").arg(dpi);
    QVERIFY(startScreen(dpi, tag + "-xvfb"));

    QProcess *first = startApp(m_appCopy.path(), tag + "-first");
    const QString id = waitForWindow(m_sProductName, first, 15000);
    QVERIFY2(!id.isEmpty(), qPrintable("no visible window titled " + m_sProductName + " within 15 s; log:\n" +
                                       tail(m_sOutputDir + "/" + tag + "-first.log")));
    QVERIFY2(!waitForWindow(kVirtualMouseTitle, first, 15000).isEmpty(), "no visible Virtual mouse window");

    const WindowGeometry g = geometry(id);
    QCOMPARE(g.width, width);
    QCOMPARE(g.height, height);
    // Centred on the screen's full geometry; there is no window manager to move it.
    QCOMPARE(g.x, (kScreenWidth - width) / 2);
    QCOMPARE(g.y, (kScreenHeight - height) / 2);

    // A second start of the same model, from the same directory, leaves at once
    // with exit code 1 and never shows a window.
    QProcess *second = startApp(m_appCopy.path(), tag + "-second");
    QElapsedTimer clock;
    clock.start();
    qint64 exitedAfter = -1;
    connect(second, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), second,
            [&] { exitedAfter = clock.elapsed(); });
    int mostMainWindows = 0;
    int mostVirtualMice = 0;
    // Look for stray windows every 50 ms: tighter polling takes the CPU the timed start needs.
    while (second->state() != QProcess::NotRunning && clock.elapsed() < 5000) {
        mostMainWindows = qMax(mostMainWindows, int(visibleWindows(m_sProductName).size()));
        mostVirtualMice = qMax(mostVirtualMice, int(visibleWindows(kVirtualMouseTitle).size()));
        second->waitForFinished(50);
    }
    QVERIFY2(second->state() == QProcess::NotRunning, "the second start was still running after 5 s");
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 1);
    qInfo("second start exited after %lld ms", exitedAfter);
    QVERIFY2(exitedAfter >= 0 && exitedAfter < 1000,
             qPrintable(QStringLiteral("the second start took %1 ms to exit").arg(exitedAfter)));
    // No stray window while the second start ran; a search that failed under
    // load counts as none, so the first program's windows are counted after.
    QVERIFY2(mostMainWindows <= 1, qPrintable(QString::number(mostMainWindows)));
    QVERIFY2(mostVirtualMice <= 1, qPrintable(QString::number(mostVirtualMice)));
    QTRY_COMPARE(visibleWindows(m_sProductName).size(), 1);
    QTRY_COMPARE(visibleWindows(kVirtualMouseTitle).size(), 1);

    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(visibleWindows(m_sProductName), QStringList{id});
}

void TestStartup::otherModelRunsBeside()
{
    QVERIFY(startScreen(96, "other-model-xvfb"));
    QTemporaryDir otherDir;
    QVERIFY(otherDir.isValid());
    QVERIFY(copyAppDir(otherDir.path()));

    // Another model is another product name in the model description; edited as
    // text so that the rest of the file stays byte for byte as shipped.
    const QString otherName = m_sProductName + "B";
    QFile bin(otherDir.path() + "/DefaultProfile.bin");
    QVERIFY(bin.open(QIODevice::ReadOnly));
    QByteArray text = bin.readAll();
    bin.close();
    const QByteArray line = "ProductName=" + m_sProductName.toUtf8();
    QVERIFY2(text.contains(line), "ProductName line not found in DefaultProfile.bin");
    text.replace(line, "ProductName=" + otherName.toUtf8());
    QVERIFY(bin.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(bin.write(text), qint64(text.size()));
    bin.close();

    QProcess *first = startApp(m_appCopy.path(), "other-model-first");
    QVERIFY2(!waitForWindow(m_sProductName, first, 15000).isEmpty(),
             qPrintable("the first model shows no window; log:\n" + tail(m_sOutputDir + "/other-model-first.log")));
    QProcess *other = startApp(otherDir.path(), "other-model-second");
    // It shows a window (or, without its mouse, at least keeps running for the
    // warning); the exit the single-instance rule would give comes well before.
    const QString otherId = waitForWindow(otherName, other, 15000);
    QVERIFY2(other->state() == QProcess::Running,
             qPrintable(QStringLiteral("the other model ended with exit code %1; log:\n%2")
                            .arg(other->exitCode())
                            .arg(tail(m_sOutputDir + "/other-model-second.log"))));
    QVERIFY2(!otherId.isEmpty(), qPrintable("no window titled " + otherName));
    QCOMPARE(first->state(), QProcess::Running);
}

void TestStartup::screenshot_data()
{
    windowSizeAndSingleInstance_data();
}

void TestStartup::screenshot()
{
    QFETCH(int, dpi);
    QFETCH(int, width);
    QFETCH(int, height);
    const QString tag = QStringLiteral("dpi%1").arg(dpi);
    QVERIFY(startScreen(dpi, "startup-" + tag + "-xvfb"));

    const QString shot = m_sOutputDir + "/startup-" + tag + ".png";
    QFile::remove(shot);
    QProcess *app = startApp(m_appCopy.path(), "startup-" + tag, shot);
    QVERIFY2(app->waitForFinished(30000),
             qPrintable("no exit within 30 s; log:\n" + tail(m_sOutputDir + "/startup-" + tag + ".log")));
    QCOMPARE(app->exitStatus(), QProcess::NormalExit);
    QCOMPARE(app->exitCode(), 0);

    QImage image;
    QVERIFY2(image.load(shot), qPrintable("no readable PNG at " + shot));
    // Main window and Virtual mouse side by side.
    QVERIFY2(image.width() > width, qPrintable(QStringLiteral("%1 px wide").arg(image.width())));
    QVERIFY2(image.height() >= height, qPrintable(QStringLiteral("%1 px high").arg(image.height())));

    // A grab of an unexposed window comes out in one flat colour.
    QSet<QRgb> colours;
    for (int y = 0; y < height; y += 16)
        for (int x = 0; x < width; x += 16)
            colours.insert(image.pixel(x, y));
    QVERIFY2(colours.size() > 8,
             qPrintable(QStringLiteral("the main window area holds only %1 colours").arg(colours.size())));
}

bool TestStartup::startScreen(int dpi, const QString &logName)
{
    const QString log = m_sOutputDir + "/" + logName + ".log";
    m_pXvfb = std::make_unique<QProcess>();
    m_pXvfb->setStandardErrorFile(log);
    // -displayfd: Xvfb picks a free display number and writes it to stdout once it
    // accepts connections, so tests running side by side never collide. -noreset:
    // no server reset between one program leaving and the next arriving.
    m_pXvfb->start(m_sXvfb,
                   {"-displayfd", "1", "-screen", "0", QStringLiteral("%1x%2x24").arg(kScreenWidth).arg(kScreenHeight),
                    "-dpi", QString::number(dpi), "-nolisten", "tcp", "-noreset"});
    QByteArray out;
    QElapsedTimer clock;
    clock.start();
    while (!out.contains('\n') && clock.elapsed() < 10000 && m_pXvfb->state() != QProcess::NotRunning) {
        m_pXvfb->waitForReadyRead(100);
        out += m_pXvfb->readAllStandardOutput();
    }
    const QByteArray number = out.trimmed();
    bool ok = false;
    number.toInt(&ok);
    if (!ok) {
        qWarning("Xvfb gave no display number: %s", qPrintable(tail(log)));
        return false;
    }
    m_sDisplay = ":" + QString::fromLatin1(number);
    // The screen must answer, at the size the expected window positions assume.
    const ToolRun screen = runTool(m_sXdotool, {"getdisplaygeometry"}, m_sDisplay);
    const QByteArray expected = QByteArray::number(kScreenWidth) + ' ' + QByteArray::number(kScreenHeight);
    if (screen.exitCode != 0 || screen.out.trimmed() != expected) {
        qWarning("Xvfb on %s does not answer as a %s screen (exit %d, \"%s\"): %s", qPrintable(m_sDisplay),
                 expected.constData(), screen.exitCode, screen.out.trimmed().constData(), qPrintable(tail(log)));
        return false;
    }
    return true;
}

void TestStartup::applyByRealClick()
{
    // A send that failed before: the next Apply must bring every group over.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(copyAppDir(dir.path()));
    QSettings(dir.path() + "/Configs/Config.ini", QSettings::IniFormat).setValue("Config/Diff", 1);
    QVERIFY(startScreen(96, "apply-xvfb"));
    const QString trace = dir.path() + "/tables.txt";
    QProcess *app = startApp(dir.path(), "apply", QString(), trace);
    const QString id = waitForWindow(m_sProductName, app, 15000);
    QVERIFY2(!id.isEmpty(), qPrintable("no window; log:\n" + tail(m_sOutputDir + "/apply.log")));

    // "Apply" sits at 597, 588 (76 x 30) of the window at scale 1.00.
    const WindowGeometry g = geometry(id);
    QVERIFY(clickAt(g, 635, 603));

    QStringList tables;
    QTRY_VERIFY2_WITH_TIMEOUT(
        tracedEveryTable(tables = traceLines(trace)),
        qPrintable("tables seen: " + tables.join(", ") + "; log:\n" + tail(m_sOutputDir + "/apply.log")), 15000);
    QTRY_COMPARE(QSettings(dir.path() + "/Configs/Config.ini", QSettings::IniFormat).value("Config/Diff").toInt(), 0);
}

void TestStartup::osdShowsTheMouseOwnSwitch()
{
    // The companion beside the executable, started by the utility on the
    // first announcement; it takes a picture of the screen once it shows it.
    QVERIFY2(QFileInfo(m_appCopy.path() + "/osd").isExecutable(), "osd is missing from the application directory");
    QVERIFY(startScreen(96, "osd-xvfb"));
    const QString shot = m_sOutputDir + "/osd-profile.png";
    QFile::remove(shot);
    qputenv("MOUSECFG_OSD_SCREENSHOT", QFile::encodeName(shot));
    QProcess *app = startApp(m_appCopy.path(), "osd");
    qunsetenv("MOUSECFG_OSD_SCREENSHOT");
    QVERIFY2(!waitForWindow(m_sProductName, app, 15000).isEmpty(),
             qPrintable("no main window; log:\n" + tail(m_sOutputDir + "/osd.log")));
    const QString mouse = waitForWindow(kVirtualMouseTitle, app, 15000);
    QVERIFY(!mouse.isEmpty());
    QTest::qWait(1000); // the status thread that hears the mouse starts 500 ms after the window

    // Alt+P is the Virtual mouse's "&Profile".
    QCOMPARE(runTool(m_sXdotool, {"windowfocus", "--sync", mouse}, m_sDisplay).exitCode, 0);
    QCOMPARE(runTool(m_sXdotool, {"key", "alt+p"}, m_sDisplay).exitCode, 0);

    QString osd;
    QElapsedTimer clock;
    clock.start();
    while (osd.isEmpty() && clock.elapsed() < 10000) {
        const QStringList ids = visibleWindows("QRVM Wireless Mouse OSD");
        osd = ids.isEmpty() ? QString() : ids.first();
        QTest::qWait(50);
    }
    QVERIFY2(!osd.isEmpty(), qPrintable("no OSD window within 10 s; log:\n" + tail(m_sOutputDir + "/osd.log")));
    const WindowGeometry g = geometry(osd);
    // Bottom centre of the screen.
    QVERIFY2(qAbs(g.x + g.width / 2 - kScreenWidth / 2) <= 1, qPrintable(QString::number(g.x)));
    QVERIFY(g.y > kScreenHeight / 2 && g.y + g.height <= kScreenHeight);

    QImage image;
    QTRY_VERIFY2_WITH_TIMEOUT(image.load(shot), qPrintable("no screenshot at " + shot), 5000);
    // The text is drawn in the theme colour of the sample configuration (6: 255, 125, 0).
    int themed = 0;
    for (int y = g.y; y < g.y + g.height; ++y)
        for (int x = g.x; x < g.x + g.width; ++x)
            themed += image.pixel(x, y) == qRgb(255, 125, 0) ? 1 : 0;
    QVERIFY2(themed > 200, qPrintable(QStringLiteral("%1 pixels of the theme colour in the OSD").arg(themed)));
}

void TestStartup::recordMacroAndApply()
{
    // The fourth button of the first profile plays the macro "name_1", which the
    // first NEW on the macro page creates.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(copyAppDir(dir.path()));
    {
        QSettings profile(dir.path() + "/Configs/Profile/Profile 1.prof", QSettings::IniFormat);
        profile.setValue("PROFILE/BUTTON_INFO_3_Fun", 200);
        profile.setValue("PROFILE/BUTTON_INFO_3_macroname", "name_1");
    }
    QVERIFY(startScreen(96, "macro-xvfb"));
    const QString trace = dir.path() + "/tables.txt";
    QProcess *app = startApp(dir.path(), "macro", QString(), trace);
    const QString id = waitForWindow(m_sProductName, app, 15000);
    QVERIFY2(!id.isEmpty(), qPrintable("no window; log:\n" + tail(m_sOutputDir + "/macro.log")));
    const WindowGeometry g = geometry(id);
    const auto click = [&](int x, int y) {
        QVERIFY(clickAt(g, x, y));
        QTest::qWait(300);
    };
    // Design positions at scale 1.00: the MACRO tab, then on the page (285, 90)
    // NEW, "RECORD DELAYS BETWEEN ACTION" and START.
    click(146, 206);
    click(285 + 42, 90 + 311);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.path() + "/Configs/MacroDB/name_1.MSMACRO"), 5000);
    click(285 + 463, 90 + 21);
    click(285 + 203, 90 + 327);
    // Real key events with pauses of 300, 200 and 250 ms between them (xdotool
    // adds 12 ms after each key unless told otherwise).
    QCOMPARE(runTool(m_sXdotool,
                     {"keydown", "--delay", "0", "a", "sleep", "0.3",  "keyup", "--delay", "0", "a", "sleep", "0.2",
                      "keydown", "--delay", "0", "b", "sleep", "0.25", "keyup", "--delay", "0", "b"},
                     m_sDisplay)
                 .exitCode,
             0);
    QTest::qWait(200);
    click(285 + 203, 90 + 327); // STOP, which saves
    QTRY_COMPARE_WITH_TIMEOUT(
        QSettings(dir.path() + "/Configs/MacroDB/name_1.MSMACRO", QSettings::IniFormat).value("Setting/Count").toInt(),
        7, 5000);
    click(635, 603); // Apply

    QString slotLine;
    QTRY_VERIFY2_WITH_TIMEOUT(!(slotLine = lastTraced(trace, "macro 0 ")).isEmpty(),
                              qPrintable("no macro slot in the trace; log:\n" + tail(m_sOutputDir + "/macro.log")),
                              15000);
    const QStringList slot = slotLine.split(' ');
    // The slot holds map, low byte, high byte per action: A down, pause, A up,
    // pause, B down, pause, B up (HID usages 4 and 5).
    QVERIFY2(slot.size() >= 21, qPrintable(slot.join(' ')));
    const auto byte = [&slot](int i) { return slot.at(i).toInt(nullptr, 16); };
    const int keys[4][2] = {{0x84, 4}, {0x04, 4}, {0x84, 5}, {0x04, 5}};
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(byte(6 * k), keys[k][0]);
        QCOMPARE(byte(6 * k + 1), keys[k][1]);
    }
    const int pauses[3] = {300, 200, 250};
    for (int d = 0; d < 3; ++d) {
        QCOMPARE(byte(6 * d + 3), 0x06);
        const int ms = (byte(6 * d + 4) + 256 * byte(6 * d + 5)) * 10;
        qInfo("pause %d: %d ms recorded for %d ms", d + 1, ms, pauses[d]);
        QVERIFY2(qAbs(ms - pauses[d]) <= 15, qPrintable(QStringLiteral("%1 ms for %2 ms").arg(ms).arg(pauses[d])));
    }
}

void TestStartup::pullAndPlugTheReceiver()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(copyAppDir(dir.path()));
    const QString ini = dir.path() + "/Configs/Config.ini";
    QSettings(ini, QSettings::IniFormat).setValue("Config/Diff", 0);
    QVERIFY(startScreen(96, "hotplug-xvfb"));
    const QString trace = dir.path() + "/tables.txt";
    QProcess *app = startApp(dir.path(), "hotplug", QString(), trace);
    const QString log = m_sOutputDir + "/hotplug.log";
    const QString id = waitForWindow(m_sProductName, app, 15000);
    QVERIFY2(!id.isEmpty(), qPrintable("no window; log:\n" + tail(log)));
    const QString mouse = waitForWindow("Virtual mouse", app, 5000);
    QVERIFY(!mouse.isEmpty());

    // Alt+I toggles "Receiver plugged" on the Virtual mouse. A key that arrives
    // while the window is still taking the focus can be lost: the toggle counts
    // once the program logs the device change, and is sent once more otherwise.
    auto deviceChanges = [&] {
        QFile f(log);
        static const QRegularExpression change(QStringLiteral("^(removed|arrived) "),
                                               QRegularExpression::MultilineOption);
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()).count(change) : 0;
    };
    auto toggleReceiver = [&] {
        const int before = deviceChanges();
        for (int attempt = 1; attempt <= 2; ++attempt) {
            QCOMPARE(runTool(m_sXdotool, {"windowfocus", "--sync", mouse}, m_sDisplay).exitCode, 0);
            QTest::qWait(200);
            QCOMPARE(runTool(m_sXdotool, {"key", "alt+i"}, m_sDisplay).exitCode, 0);
            if (QTest::qWaitFor([&] { return deviceChanges() > before; }, 5000))
                return;
            qInfo("attempt %d: the toggle key was not taken", attempt);
        }
        QFAIL(qPrintable("the receiver never changed; log:\n" + tail(log)));
    };
    auto picture = [&](const QString &name) {
        const QString png = m_sOutputDir + "/" + name + ".png";
        QFile::remove(png);
        QFile request(m_sOutputDir + "/request");
        QVERIFY(request.open(QIODevice::WriteOnly));
        request.write(name.toUtf8());
        request.close();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(png).size() > 0, 5000);
    };
    toggleReceiver();
    QTRY_VERIFY2_WITH_TIMEOUT(!visibleWindows("Warning").isEmpty(), qPrintable(tail(log)), 10000);
    picture("hotplug-warning");
    toggleReceiver();
    QTRY_VERIFY2_WITH_TIMEOUT(visibleWindows("Warning").isEmpty(), qPrintable(tail(log)), 10000);
    // The pages are reloaded after the box went; give the window a moment to paint.
    QTest::qWait(500);
    picture("hotplug-closed");
    // The mouse was away and may hold anything: the next Apply sends every group.
    QTRY_COMPARE(QSettings(ini, QSettings::IniFormat).value("Config/Diff").toInt(), 1);

    const WindowGeometry g = geometry(id);
    QVERIFY(clickAt(g, 635, 603));
    QStringList tables;
    QTRY_VERIFY2_WITH_TIMEOUT(tracedEveryTable(tables = traceLines(trace)),
                              qPrintable("tables seen: " + tables.join(", ") + "; log:\n" + tail(log)), 15000);
}

void TestStartup::keysCapturedFromTheKeyboard()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(copyAppDir(dir.path()));
    QSettings(dir.path() + "/Configs/Config.ini", QSettings::IniFormat).setValue("Config/Diff", 0);
    QVERIFY(startScreen(96, "keys-xvfb"));
    const QString trace = dir.path() + "/tables.txt";
    const QString log = m_sOutputDir + "/keys.log";
    QProcess *app = startApp(dir.path(), "keys", QString(), trace);
    const QString id = waitForWindow(m_sProductName, app, 15000);
    QVERIFY2(!id.isEmpty(), qPrintable("no window; log:\n" + tail(log)));
    const WindowGeometry g = geometry(id);
    auto xdo = [&](const QStringList &args) {
        QCOMPARE(runTool(m_sXdotool, args, m_sDisplay).exitCode, 0);
        QTest::qWait(150);
    };
    auto click = [&](int x, int y) {
        QVERIFY(clickAt(g, x, y));
        QTest::qWait(150);
    };
    auto logShows = [&](const QString &line) {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) && QString::fromLocal8Bit(f.readAll()).contains(line);
    };
    // Rows of the sample model (8 buttons) at scale 1.00: the page at 285, 90,
    // row c at y = 12 + 42.4 c, the buttons 220 wide from x 56. The menu opens
    // below the row; "Advance" is its eighth entry, "SINGLE KEY" and
    // "COMBO KEY" the first two of that submenu. "OK" sits at 130, 201 of the
    // 400 x 258 dialogs.
    const auto rowCentre = [](int c) { return 90 + 12 + c * 42 + 15; };
    const QStringList toAdvance = {"key", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Down", "Right"};
    auto pressOk = [&](const QString &title) {
        const QStringList dialogs = visibleWindows(title);
        QCOMPARE(dialogs.size(), 1);
        const WindowGeometry d = geometry(dialogs.first());
        QVERIFY(clickAt(d, 130, 201));
        QTRY_VERIFY(visibleWindows(title).isEmpty());
    };

    // Row 3: a combination typed as the user types it.
    click(451, rowCentre(2));
    xdo(toAdvance + QStringList{"Down", "Return"});
    xdo({"key", "ctrl+shift+a"});
    QTRY_VERIFY2_WITH_TIMEOUT(logShows("Combo Key shows \"LShift + LCtr + A\""), qPrintable(tail(log)), 5000);
    pressOk("Combo Key");

    // Row 4: a single key, first keypad 7, then Home.
    click(451, rowCentre(3));
    xdo(toAdvance + QStringList{"Return"});
    xdo({"key", "KP_Home"}); // keypad 7 with Num Lock off
    QTRY_VERIFY2_WITH_TIMEOUT(logShows("Single Key shows \"Num 7\""), qPrintable(tail(log)), 5000);
    xdo({"key", "Home"});
    QTRY_VERIFY2_WITH_TIMEOUT(logShows("Single Key shows \"Home\""), qPrintable(tail(log)), 5000);
    pressOk("Single Key");

    // Apply: the mouse gets both rows' entries (the model puts button k at slot k).
    click(635, 603);
    QString buttons;
    QTRY_VERIFY2_WITH_TIMEOUT(!(buttons = lastTraced(trace, "buttons ")).isEmpty(),
                              qPrintable("no button table; log:\n" + tail(log)), 15000);
    const QStringList records = buttons.split(' ');
    QCOMPARE(records.size(), 24);
    QCOMPARE(records.at(2), QStringLiteral("8f030400")); // Shift (2) + Ctrl (1), A
    QCOMPARE(records.at(3), QStringLiteral("90004a00")); // single key, usage of Home
}

QProcess *TestStartup::startApp(const QString &appDir, const QString &logName, const QString &screenshot,
                                const QString &trace)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_sDisplay);
    env.insert("QT_QPA_PLATFORM", "xcb");
    // The single-instance lock lives in the runtime directory: a private one keeps
    // these starts apart from a copy the user runs and from other test runs.
    env.insert("XDG_RUNTIME_DIR", m_runtimeDir.path());
    // No session bus: the tray and accessibility stay off the user's desktop, and
    // libdbus does not try to launch a bus (a leak the sanitizer build reports).
    env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + m_runtimeDir.path() + "/no-session-bus");
    // A widgets program draws without OpenGL; loading the GL drivers only adds
    // their one-time allocations to the sanitizer's leak report.
    env.insert("QT_XCB_GL_INTEGRATION", "none");
    // The window sizes itself from the screen's DPI; nothing may scale on top.
    for (const char *name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
                             "QT_ENABLE_HIGHDPI_SCALING", "QT_FONT_DPI", "MOUSECFG_SIM_SCREENSHOT"})
        env.remove(name);
    if (!screenshot.isEmpty())
        env.insert("MOUSECFG_SIM_SCREENSHOT", screenshot);
    env.remove("MOUSECFG_SIM_TRACE");
    env.insert("MOUSECFG_SIM_PICTURE_DIR", m_sOutputDir);
    if (!trace.isEmpty())
        env.insert("MOUSECFG_SIM_TRACE", trace);

    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(env);
    p->setWorkingDirectory(appDir);
    const QString log = m_sOutputDir + "/" + logName + ".log";
    QFile::remove(log);
    p->setStandardOutputFile(log);
    p->setStandardErrorFile(log, QIODevice::Append);
    p->start(appDir + "/mousecfg-sim", QStringList());
    m_apps.push_back(std::move(p));
    return m_apps.back().get();
}

QStringList TestStartup::visibleWindows(const QString &title) const
{
    const ToolRun r = runTool(
        m_sXdotool, {"search", "--onlyvisible", "--name", "^" + QRegularExpression::escape(title) + "$"}, m_sDisplay);
    // xdotool exits with 1 when nothing matches
    return QString::fromLatin1(r.out).split('\n', Qt::SkipEmptyParts);
}

QString TestStartup::waitForWindow(const QString &title, QProcess *owner, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs && owner->state() != QProcess::NotRunning) {
        const QStringList ids = visibleWindows(title);
        if (!ids.isEmpty())
            return ids.first();
        owner->waitForFinished(100);
    }
    return QString();
}

bool TestStartup::clickAt(const WindowGeometry &g, int x, int y) const
{
    if (runTool(m_sXdotool, {"mousemove", QString::number(g.x + x), QString::number(g.y + y)}, m_sDisplay).exitCode !=
        0)
        return false;
    QTest::qWait(100);
    return runTool(m_sXdotool, {"click", "1"}, m_sDisplay).exitCode == 0;
}

WindowGeometry TestStartup::geometry(const QString &windowId) const
{
    const ToolRun r = runTool(m_sXdotool, {"getwindowgeometry", "--shell", windowId}, m_sDisplay);
    WindowGeometry g;
    for (const QString &line : QString::fromLatin1(r.out).split('\n', Qt::SkipEmptyParts)) {
        const QString key = line.section('=', 0, 0);
        const int value = line.section('=', 1).toInt();
        if (key == "X")
            g.x = value;
        else if (key == "Y")
            g.y = value;
        else if (key == "WIDTH")
            g.width = value;
        else if (key == "HEIGHT")
            g.height = value;
    }
    return g;
}

bool TestStartup::copyAppDir(const QString &to) const
{
    return QProcess::execute("cp", {"-a", QStringLiteral(MOUSECFG_APPDIR "/."), to}) == 0;
}

void TestStartup::stop(QProcess *p) const
{
    if (p->state() == QProcess::NotRunning)
        return;
    p->terminate();
    if (!p->waitForFinished(3000)) {
        p->kill();
        p->waitForFinished(3000);
    }
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
