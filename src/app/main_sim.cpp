// The utility on the simulated mouse, with the "Virtual mouse" window that
// plays the mouse: the demo and the target of the end-to-end tests.

#include "Application.h"
#include "MouseSession.h"
#include "MouseSim.h"
#include "MousecfgWidget.h"
#include "VirtualMouseWindow.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>

namespace {
// Beside the main window when the screen has room, else at the screen's left.
void placeBeside(QWidget &virtualMouse, const QWidget &window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    const QRect main = window.frameGeometry();
    const QSize size = virtualMouse.sizeHint();
    int x = main.right() + 12;
    if (x + size.width() > area.right())
        x = area.left();
    virtualMouse.move(x, std::max(area.top(), main.top()));
}

// Both windows side by side in one picture, drawn from the widgets themselves.
bool saveScreenshot(const QString &path, QWidget &window, QWidget &virtualMouse)
{
    const QPixmap left = window.grab();
    const QPixmap right = virtualMouse.grab();
    QImage image(left.width() + 16 + right.width(), std::max(left.height(), right.height()), QImage::Format_ARGB32);
    image.fill(QColor(48, 48, 48));
    QPainter painter(&image);
    painter.drawPixmap(0, 0, left);
    painter.drawPixmap(left.width() + 16, 0, right);
    painter.end();
    return image.save(path);
}
// The tables the simulated mouse saw closed, one line each ("table 1"), and
// the used macro slots ("macro 0 ...") and the records of its button table
// once one was written ("buttons 81000000 ..."), kept in a file for
// end-to-end tests that watch the program from outside.
void traceClosedTables(const QString &path)
{
    struct Trace
    {
        std::mutex mutex; // the status thread and the apply worker both change the mouse
        std::size_t written = 0;
    };
    auto trace = std::make_shared<Trace>();
    mousesim::MouseSim::instance().addListener([path, trace](unsigned) {
        QStringList lines;
        bool macroArea = false;
        for (const mousesim::Event &event : mousesim::MouseSim::instance().events()) {
            if (event.kind == mousesim::EventKind::TableClosed) {
                lines << QStringLiteral("table %1").arg(event.command);
                macroArea = macroArea || event.command == 5;
            }
        }
        // Once the macro area was written: each used slot as "macro <slot> <hex bytes>".
        for (int slot = 0; macroArea && slot < mousesim::kMacroSlots; ++slot) {
            const std::vector<std::uint8_t> bytes = mousesim::MouseSim::instance().macroSlot(slot);
            if (std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; }))
                continue;
            const QByteArray hex =
                QByteArray(reinterpret_cast<const char *>(bytes.data()), int(bytes.size())).toHex(' ');
            lines << QStringLiteral("macro %1 %2").arg(slot).arg(QString::fromLatin1(hex));
        }
        // What the button table holds now: "buttons" and its 24 records in hex.
        if (mousesim::MouseSim::instance().tableClosed(0x03)) {
            QString buttons = QStringLiteral("buttons");
            for (const mousesim::ButtonRecord &record : mousesim::MouseSim::instance().buttonTable().records)
                buttons +=
                    QLatin1Char(' ') +
                    QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(record.bytes.data()), 4).toHex());
            lines << buttons;
        }
        const std::lock_guard<std::mutex> lock(trace->mutex);
        if (std::size_t(lines.size()) == trace->written)
            return;
        trace->written = std::size_t(lines.size());
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
            file.commit();
        }
    });
}
} // namespace

// Pictures of the whole screen on request, for end-to-end tests that need to
// see dialogs: a file "request" in dir naming the picture makes the program
// save <dir>/<name>.png and remove the request.
void serveScreenPictures(const QString &dir, QObject *owner)
{
    auto *timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, owner, [dir] {
        QFile request(dir + QStringLiteral("/request"));
        if (!request.open(QIODevice::ReadOnly))
            return;
        const QString name = QString::fromUtf8(request.readAll()).trimmed();
        request.close();
        request.remove();
        QScreen *screen = QGuiApplication::primaryScreen();
        if (name.isEmpty() || name.contains(QLatin1Char('/')) || !screen)
            return;
        screen->grabWindow(0).save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    });
    timer->start(100);
}

// Plugging and pulling on the Virtual mouse reaches the utility the way the
// system's notifications do: something changed, enumerate again.
class SimPlugWatcher : public QObject
{
public:
    SimPlugWatcher(MouseSession &session, QObject *parent)
        : QObject(parent)
        , m_Session(session)
    {
        m_iListener = mousesim::MouseSim::instance().addListener([this](unsigned changes) {
            if (changes & mousesim::ChangePlug)
                QMetaObject::invokeMethod(
                    this, [this] { m_Session.rescanDevices(); }, Qt::QueuedConnection);
        });
    }
    ~SimPlugWatcher() override { mousesim::MouseSim::instance().removeListener(m_iListener); }

private:
    MouseSession &m_Session;
    int m_iListener = 0;
};

int main(int argc, char **argv)
{
    return runMousecfg(argc, argv, [](MousecfgWidget &window) -> std::unique_ptr<QObject> {
        auto virtualMouse = std::make_unique<VirtualMouseWindow>();
        // Owned by the Virtual mouse window, so it goes when that goes.
        new SimPlugWatcher(window.session(), virtualMouse.get());
        virtualMouse->show();
        placeBeside(*virtualMouse, window);

        const QString pictures = qEnvironmentVariable("MOUSECFG_SIM_PICTURE_DIR");
        if (!pictures.isEmpty())
            serveScreenPictures(pictures, virtualMouse.get());

        const QString trace = qEnvironmentVariable("MOUSECFG_SIM_TRACE");
        if (!trace.isEmpty())
            traceClosedTables(trace);

        // Demo runs without a display take a picture and end by themselves.
        const QString shot = qEnvironmentVariable("MOUSECFG_SIM_SCREENSHOT");
        if (!shot.isEmpty()) {
            QWidget *mouseWindow = virtualMouse.get();
            QTimer::singleShot(1500, &window, [shot, &window, mouseWindow] {
                const bool saved = saveScreenshot(shot, window, *mouseWindow);
                std::fprintf(stderr, saved ? "screenshot saved: %s\n" : "screenshot NOT saved: %s\n", qPrintable(shot));
                QCoreApplication::exit(saved ? 0 : 3);
            });
        }
        return virtualMouse;
    });
}
