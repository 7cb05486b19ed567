#include "Application.h"

#include "ModelDescription.h"
#include "MouseSession.h"
#include "MousecfgWidget.h"
#include "PointerSpeed.h"
#include "SingleInstanceGuard.h"
#include "StorageDirs.h"
#include "TarnUi.h"

#include <QApplication>
#include <QIcon>

int runMousecfg(int argc, char **argv, const CompanionFactory &companions)
{
    // The window scales itself in whole steps from the screen's DPI.
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    // Closing the window hides it to the tray; only "&Quit" ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    const StorageDirs dirs = StorageDirs::fromAppDir(QCoreApplication::applicationDirPath());
    const QString productName = readProductName(dirs);
    SingleInstanceGuard guard(productName + QStringLiteral(" Wireless Gaming Mouse Mutex1"));
    if (!guard.acquire())
        return 1;

    // The run's state and the interface's scale and language outlive the window.
    MouseSession session(dirs);
    const std::unique_ptr<PointerSpeed> pointer = createSystemPointerSpeed();
    session.setPointerSpeed(pointer.get());
    TarnUi ui(dirs);
    MousecfgWidget window(session, ui);
    if (window.mouseCount() != 0) {
        window.setWindowOpacity(1.0);
        window.show();
    }
    // From the application folder rather than the working directory, so the
    // icon does not depend on where the program was started from.
    window.setWindowIcon(QIcon(dirs.appDir + QStringLiteral("/skin/icon.ico")));
    window.setWindowTitle(productName);
    std::unique_ptr<QObject> extra;
    if (companions)
        extra = companions(window);
    const int result = app.exec();
    extra.reset();
    return result;
}
