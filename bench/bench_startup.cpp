// Start-up of the main window against the simulated mouse in real time: from
// the constructor's first step to the first painted frame, in a private copy
// of the application directory. Prints the median and the spread of n runs.
// The status thread's restart 500 ms after the texts are set runs from a
// timer and is not part of it.

#include "AppDirCopy.h"
#include "MouseSession.h"
#include "MouseSim.h"
#include "MousecfgWidget.h"
#include "TarnUi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    std::vector<double> constructed;
    std::vector<double> painted;
    for (int i = 0; i < runs; ++i) {
        mousesim::MouseSim::instance().reset();
        AppDirCopy dir;
        const StorageDirs dirs = StorageDirs::fromAppDir(dir.path());
        QElapsedTimer timer;
        timer.start();
        MouseSession session(dirs);
        TarnUi ui(dirs);
        MousecfgWidget window(session, ui);
        constructed.push_back(timer.nsecsElapsed() / 1e6);
        window.show();
        window.grab(); // the first full frame
        painted.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("main window start-up, %d runs (simulated mouse, offscreen)\n", runs);
    std::printf("  constructed:      median %.1f ms (min %.1f, max %.1f)\n", median(constructed),
                *std::min_element(constructed.begin(), constructed.end()),
                *std::max_element(constructed.begin(), constructed.end()));
    std::printf("  first frame:      median %.1f ms (min %.1f, max %.1f)\n", median(painted),
                *std::min_element(painted.begin(), painted.end()), *std::max_element(painted.begin(), painted.end()));
    return 0;
}
