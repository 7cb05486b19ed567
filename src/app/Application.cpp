#include "Application.h"

#include "ConfigLocation.h"
#include "ModelDescription.h"
#include "MouseSession.h"
#include "MousecfgWidget.h"
#include "OsdBlock.h"
#include "OsdCompanionLink.h"
#include "PointerSpeed.h"
#include "SingleInstanceGuard.h"
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

    // The data comes from beside the executable, wherever it is installed; the
    // settings from there or from the user's own folder.
    const StorageDirs dirs = resolveStorageDirs(QCoreApplication::applicationDirPath());
    const QString productName = readProductName(dirs);
    SingleInstanceGuard guard(productName + QStringLiteral(" Wireless Gaming Mouse Mutex1"));
    if (!guard.acquire())
        return 1;

    // The run's state and the interface's scale and language outlive the window.
    MouseSession session(dirs);
    const std::unique_ptr<PointerSpeed> pointer = createSystemPointerSpeed();
    session.setPointerSpeed(pointer.get());
    TarnUi ui(dirs);
    // The texts of the mouse's own switches go to the on-screen display
    // companion beside the executable, in the theme colour.
    const std::unique_ptr<OsdCompanionLink> osd = createOsdCompanionLink(dirs.appDir, [&ui] {
        const QColor colour = ui.themeColor();
        return quint32(osdblock::colourRef(colour.red(), colour.green(), colour.blue()));
    });
    MousecfgOptions options;
    options.osd = osd.get();
    MousecfgWidget window(session, ui, options);
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
