// skingen: draws every picture of the skin from shapes, gradients and text.
//
//   skingen <skin folder> <frame folder> [<icon theme folder>]
//
// writes the pictures into <skin folder> and the frames of the progress
// spinner as frame_NN.png into <frame folder>, from which the build assembles
// resources/loading.gif (Qt cannot write GIF). With an icon theme folder it
// also draws the desktop icon there, as hicolor/<n>x<n>/apps/mousecfg.png.

#include "DialogArt.h"
#include "IcoFile.h"
#include "IconArt.h"
#include "MouseArt.h"
#include "WindowArt.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

namespace {

constexpr int kSpinnerFrames = 12;
// The sizes desktops ask the hicolor theme for.
constexpr int kThemeIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool saveImage(const QDir &root, const QString &relPath, const QImage &image, QTextStream &log)
{
    const QString path = root.filePath(relPath);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        qWarning("skingen: cannot create the folder for %s", qPrintable(path));
        return false;
    }
    if (!image.save(path, "PNG")) {
        qWarning("skingen: cannot write %s", qPrintable(path));
        return false;
    }
    log << relPath << ' ' << image.width() << 'x' << image.height() << '\n';
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 && args.size() != 4) {
        qWarning("usage: skingen <skin folder> <frame folder> [<icon theme folder>]");
        return 2;
    }
    const QDir skin(args.at(1));
    QDir frames(args.at(2));
    if (!QDir().mkpath(skin.path()) || !QDir().mkpath(frames.path())) {
        qWarning("skingen: cannot create the output folders");
        return 1;
    }

    QTextStream log(stdout);
    bool ok = true;

    SkinImages all;
    for (SkinImages part : {windowArt(), dialogArt(), iconArt(), mouseArt(QStringLiteral("TarnX8"))})
        all.insert(all.end(), part.begin(), part.end());
    for (const SkinImage &item : all)
        ok = saveImage(skin, item.path, item.image, log) && ok;

    QVector<QImage> iconSizes;
    for (int px : {16, 32, 48, 256})
        iconSizes.push_back(drawAppIcon(px));
    if (writeIcoFile(iconSizes, skin.filePath(QStringLiteral("icon.ico"))))
        log << "icon.ico 16,32,48,256\n";
    else
        ok = false;

    if (args.size() == 4) {
        const QDir theme(args.at(3));
        for (int px : kThemeIconSizes) {
            const QString rel = QStringLiteral("hicolor/%1x%1/apps/mousecfg.png").arg(px);
            ok = saveImage(theme, rel, drawAppIcon(px), log) && ok;
        }
    }

    // Stale frames from an earlier run with more frames must not reach the GIF.
    for (const QString &old : frames.entryList({QStringLiteral("frame_*.png")}, QDir::Files))
        frames.remove(old);
    const QVector<QImage> spin = spinnerFrames(kSpinnerFrames);
    for (int i = 0; i < spin.size(); ++i)
        ok = saveImage(frames, QStringLiteral("frame_%1.png").arg(i, 2, 10, QLatin1Char('0')), spin.at(i), log) && ok;

    log.flush();
    return ok ? 0 : 1;
}
