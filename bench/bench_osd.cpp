// From a press of the Profile button on the simulated mouse to the OSD
// companion painting "Profile n": once with the companion to be started by
// the utility, once with it running. Offscreen (the companion inherits it);
// the companion writes the time of its first paint of each text to a trace
// file. Prints the median and the spread of n runs of each.

#include "AppDirCopy.h"
#include "MouseSession.h"
#include "MouseSim.h"
#include "MousecfgWidget.h"
#include "OsdBlock.h"
#include "OsdCompanionLink.h"
#include "TarnUi.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLockFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void print(const char *what, const std::vector<double> &v)
{
    if (v.empty()) {
        std::printf("  %-26s no run reached the companion\n", what);
        return;
    }
    std::printf("  %-26s median %.1f ms (min %.1f, max %.1f, %zu runs)\n", what, median(v),
                *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()), v.size());
}

QStringList traceLines(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts) : QStringList();
}

// Ends the companion that the lock file names, by its id, and waits for it.
void endCompanion()
{
    QLockFile lock(QString::fromStdString(osdblock::userSocketPath()) + QStringLiteral(".lock"));
    qint64 pid = 0;
    QString host, app;
    if (!lock.getLockInfo(&pid, &host, &app) || pid <= 0)
        return;
    ::kill(pid_t(pid), SIGTERM);
    QElapsedTimer clock;
    clock.start();
    while (::kill(pid_t(pid), 0) == 0 && clock.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Presses Profile and returns the milliseconds until the companion painted a
// "Profile" text, or -1 after 5 s.
double pressAndWait(const QString &trace)
{
    const int before = traceLines(trace).size();
    const qint64 pressed = QDateTime::currentMSecsSinceEpoch();
    mousesim::MouseSim::instance().pressProfileButton();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const QStringList lines = traceLines(trace);
        for (int i = before; i < lines.size(); ++i) {
            if (lines.at(i).section(' ', 1).startsWith(QLatin1String("Profile ")))
                return double(lines.at(i).section(' ', 0, 0).toLongLong() - pressed);
        }
    }
    return -1;
}

void settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir runtime;
    const QString trace = runtime.filePath(QStringLiteral("trace.txt"));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    qputenv("MOUSECFG_OSD_TRACE", QFile::encodeName(trace));
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    mousesim::MouseSim::instance().reset();
    AppDirCopy dir;
    const StorageDirs dirs = StorageDirs::fromAppDir(dir.path());
    MouseSession session(dirs);
    TarnUi ui(dirs);
    const auto osd = createOsdCompanionLink(QStringLiteral(MOUSECFG_APPDIR), [] { return 0x0000ffu; });
    MousecfgOptions options;
    options.osd = osd.get();
    options.trayAvailable = [] { return false; };
    MousecfgWidget window(session, ui, options);
    window.show();
    settle(100);
    while (session.isStatusRestartPending())
        settle(20);

    // One round of the five slots first: the utility takes over each slot's
    // DPI level and rate as the mouse reports them, so that every measured
    // press announces the profile alone, as with a mouse that holds what the
    // utility sent.
    for (int i = 0; i < 5; ++i) {
        mousesim::MouseSim::instance().pressProfileButton();
        settle(600);
    }

    std::vector<double> started;
    std::vector<double> running;
    for (int i = 0; i < runs; ++i) {
        endCompanion();
        settle(200);
        const double cold = pressAndWait(trace);
        if (cold >= 0)
            started.push_back(cold);
        settle(300);
        const double warm = pressAndWait(trace);
        if (warm >= 0)
            running.push_back(warm);
        settle(300);
    }
    endCompanion();
    std::printf("Profile press on the simulated mouse to the OSD companion's paint (offscreen)\n");
    print("companion running:", running);
    print("companion to be started:", started);
    return 0;
}
