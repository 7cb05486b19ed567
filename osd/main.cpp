// The on-screen display companion of the mouse utility: shows the texts the
// utility sends (profile, DPI level, report rate switched on the mouse).
//
//   osd [--idle-exit SECONDS]
//
// Ends by itself after SECONDS without a message (default 600). With
// MOUSECFG_OSD_TRACE set to a file, the time each new text is first painted
// is appended to it; with MOUSECFG_OSD_SCREENSHOT set to a PNG path, the
// primary screen is saved there once the first text is shown.

#include "OsdCompanion.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::setApplicationName(QStringLiteral("osd"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("On-screen display of the mouse utility"));
    parser.addHelpOption();
    const QCommandLineOption idle(QStringLiteral("idle-exit"), QStringLiteral("End after SECONDS without a message."),
                                  QStringLiteral("SECONDS"), QString::number(OsdCompanion::kDefaultIdleExitSeconds));
    parser.addOption(idle);
    parser.process(app);
    bool ok = false;
    int seconds = parser.value(idle).toInt(&ok);
    if (!ok || seconds <= 0)
        seconds = OsdCompanion::kDefaultIdleExitSeconds;

    OsdCompanion companion(seconds, qEnvironmentVariable("MOUSECFG_OSD_TRACE"));
    if (!companion.start())
        return 0;
    const QString shot = qEnvironmentVariable("MOUSECFG_OSD_SCREENSHOT");
    if (!shot.isEmpty()) {
        QObject::connect(&companion.display(), &OsdDisplay::messageShown, &app, [shot] {
            QTimer::singleShot(200, [shot] {
                QScreen *screen = QGuiApplication::primaryScreen();
                const bool saved = screen && screen->grabWindow(0).save(shot);
                std::fprintf(stderr, saved ? "screenshot saved: %s\n" : "screenshot NOT saved: %s\n", qPrintable(shot));
            });
        });
    }
    return app.exec();
}
