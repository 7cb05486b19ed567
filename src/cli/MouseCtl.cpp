#include "MouseCtl.h"

#include "ApplySequence.h"
#include "CommandReport.h"
#include "ConfigExchange.h"
#include "ConfigFile.h"
#include "ConfigLocation.h"
#include "DeviceLink.h"
#include "PacketLog.h"
#include "SendProcedure.h"
#include "TarnGetBatteryThread.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>

#include <hidapi.h>

#include <cstdio>
#include <cstring>

#ifdef MOUSECFGCTL_SIMULATOR
#include "MouseSim.h"
#endif

namespace {

constexpr int kStatusPauseAfterQueryMs = 10;
constexpr int kStatusReadTimeoutMs = 50;
constexpr int kStatusReadAttempts = 5;

const char *const kUsage = "Usage: %s [options] <command> [arguments]\n"
                           "\n"
                           "Commands:\n"
                           "  status [--json]      how the mouse is attached, its battery reading and write status;\n"
                           "                       --json: one JSON object (see the manual page)\n"
                           "  apply [--all] FILE   load a configuration file (.conf) into the working copy and\n"
                           "                       write the groups that changed to the mouse (--all: every group)\n"
                           "  export FILE          write the stored configuration with its product tag to FILE\n"
                           "\n"
                           "Options:\n"
                           "  --appdir DIR         application directory (default: the directory of this program)\n"
                           "  --trace              print every report written and read: direction, then the\n"
                           "                       33 bytes in hex\n"
                           "  --simulate           use the simulated mouse (mousecfgctl-sim only)\n"
                           "  --verbose            also print the device link's diagnostics\n"
                           "  -h, --help           this text\n"
                           "  --version            the program's version\n"
#ifdef MOUSECFGCTL_SIMULATOR
                           "  --sim-fault F        simulated mouse faults, repeatable: asleep, cable, no-permission,\n"
                           "                       fail-writes=N, drop-answers=N, corrupt-echo=N, unplug-after=N\n"
#endif
                           "\n"
                           "Exit codes: 0 done, 1 bad arguments, 2 file or application directory error,\n"
                           "3 no mouse found, 4 sending failed, 5 mouse asleep.\n";

void printOut(const QString &text)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

// One object on one line, for scripts.
void printJson(const QJsonObject &object)
{
    printOut(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
}

void printErr(const QString &text)
{
    std::fflush(stdout);
    std::fputs(qPrintable(QStringLiteral("mousecfgctl: ") + text + QLatin1Char('\n')), stderr);
    std::fflush(stderr);
}

void messageHandler(QtMsgType, const QMessageLogContext &context, const QString &message)
{
    if (context.category && std::strcmp(context.category, "mousecfg.packets") == 0) {
        // Only whole reports: a read that timed out carries no bytes.
        const QStringList parts = message.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() == 1 + kReportLength) {
            std::fputs(qPrintable(message + QLatin1Char('\n')), stdout);
            std::fflush(stdout);
        }
        return;
    }
    QString text = message;
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    std::fflush(stdout);
    std::fputs(qPrintable(text + QLatin1Char('\n')), stderr);
}

// The report-rate code as the mouse knows it, in reports per second; 0 for a
// code the mouse does not have.
int rateHz(int code)
{
    switch (code) {
    case 1:
        return 1000;
    case 2:
        return 500;
    case 4:
        return 250;
    case 8:
        return 125;
    default:
        return 0;
    }
}

QString groupNames(ChangeMask mask)
{
    QStringList names;
    if (mask & kChangeGeneral)
        names << QStringLiteral("general settings");
    if (mask & kChangeButtons)
        names << QStringLiteral("buttons and macros");
    if (mask & kChangeDpi)
        names << QStringLiteral("DPI levels");
    if (mask & kChangeLighting)
        names << QStringLiteral("lighting");
    return names.join(QStringLiteral(", "));
}

#ifdef MOUSECFGCTL_SIMULATOR
// Checks (apply false) or applies one --sim-fault value.
bool simFault(const QString &fault, bool apply)
{
    const QStringList parts = fault.split(QLatin1Char('='));
    const QString kind = parts.value(0);
    bool ok = true;
    const int n = parts.size() == 2 ? parts[1].toInt(&ok) : 0;
    const bool counted = parts.size() == 2 && ok && n >= 0;
    mousesim::MouseSim &sim = mousesim::MouseSim::instance();
    if (kind == QLatin1String("asleep") && parts.size() == 1) {
        if (apply)
            sim.setAsleep(true);
    } else if (kind == QLatin1String("no-permission") && parts.size() == 1) {
        if (apply)
            sim.setOpenRefused(true);
    } else if (kind == QLatin1String("cable") && parts.size() == 1) {
        if (apply)
            sim.plug(mousesim::Identity::Cable, true);
    } else if (kind == QLatin1String("fail-writes") && counted) {
        if (apply)
            sim.failWrites(n);
    } else if (kind == QLatin1String("drop-answers") && counted) {
        if (apply)
            sim.dropAnswers(n);
    } else if (kind == QLatin1String("corrupt-echo") && counted) {
        if (apply)
            sim.corruptDataEcho(n);
    } else if (kind == QLatin1String("unplug-after") && counted) {
        if (apply) {
            sim.pullAfterPackets(mousesim::Identity::Receiver, n);
            sim.pullAfterPackets(mousesim::Identity::Cable, n);
        }
    } else {
        return false;
    }
    return true;
}
#endif

} // namespace

void MouseCtl::installMessageHandler()
{
    qInstallMessageHandler(&messageHandler);
}

int MouseCtl::run(const QStringList &arguments)
{
    const int parsed = parse(arguments);
    if (parsed >= 0)
        return parsed;

    QString rules;
    if (!m_bVerbose)
        rules += QStringLiteral("default.debug=false\n");
    if (m_bTrace)
        rules += QStringLiteral("mousecfg.packets.debug=true\n");
    QLoggingCategory::setFilterRules(rules);

    const int dirCheck = checkAppDir();
    if (dirCheck != ExitOk)
        return dirCheck;

#ifdef MOUSECFGCTL_SIMULATOR
    mousesim::MouseSim &sim = mousesim::MouseSim::instance();
    sim.reset(); // receiver plugged, real time, answering everything
    if (m_bSimulate) {
        for (const QString &fault : m_simFaults)
            simFault(fault, true);
    } else {
        // Without --simulate the simulated bus stays empty.
        sim.plug(mousesim::Identity::Receiver, false);
    }
#endif

    if (m_strCommand == QLatin1String("status"))
        return runStatus();
    if (m_strCommand == QLatin1String("apply"))
        return runApply();
    return runExport();
}

int MouseCtl::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption appDir(QStringLiteral("appdir"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption trace(QStringLiteral("trace"));
    const QCommandLineOption simulate(QStringLiteral("simulate"));
    const QCommandLineOption verbose(QStringLiteral("verbose"));
    const QCommandLineOption all(QStringLiteral("all"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({help, appDir, trace, simulate, verbose, all, json, version});
#ifdef MOUSECFGCTL_SIMULATOR
    const QCommandLineOption simFaultOption(QStringLiteral("sim-fault"), QString(), QStringLiteral("F"));
    parser.addOption(simFaultOption);
#endif

    const QByteArray program = QFileInfo(arguments.value(0)).fileName().toLocal8Bit();
    if (!parser.parse(arguments)) {
        printErr(parser.errorText() + QStringLiteral(" (see --help)"));
        return ExitUsage;
    }
    if (parser.isSet(help)) {
        std::printf(kUsage, program.constData());
        std::fflush(stdout);
        return ExitOk;
    }
    if (parser.isSet(version)) {
        std::printf("mousecfgctl %s\n", MOUSECFG_VERSION);
        std::fflush(stdout);
        return ExitOk;
    }

    m_bTrace = parser.isSet(trace);
    m_bJson = parser.isSet(json);
    m_bVerbose = parser.isSet(verbose);
    m_bAll = parser.isSet(all);
    m_bSimulate = parser.isSet(simulate);
#ifdef MOUSECFGCTL_SIMULATOR
    m_simFaults = parser.values(simFaultOption);
    for (const QString &fault : m_simFaults) {
        if (!simFault(fault, false)) {
            printErr(QStringLiteral("unknown simulated fault \"%1\" (see --help)").arg(fault));
            return ExitUsage;
        }
    }
    if (!m_simFaults.isEmpty() && !m_bSimulate) {
        printErr(QStringLiteral("--sim-fault needs --simulate"));
        return ExitUsage;
    }
#else
    if (m_bSimulate) {
        printErr(QStringLiteral("--simulate is only available in mousecfgctl-sim, the build with the simulated "
                                "mouse; this build talks to the real mouse"));
        return ExitUsage;
    }
#endif

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        printErr(QStringLiteral("no command given (see --help)"));
        return ExitUsage;
    }
    m_strCommand = positional[0];
    const bool takesFile = m_strCommand == QLatin1String("apply") || m_strCommand == QLatin1String("export");
    if (!takesFile && m_strCommand != QLatin1String("status")) {
        printErr(QStringLiteral("unknown command \"%1\" (see --help)").arg(m_strCommand));
        return ExitUsage;
    }
    if (takesFile && positional.size() != 2) {
        printErr(QStringLiteral("%1 takes exactly one FILE (see --help)").arg(m_strCommand));
        return ExitUsage;
    }
    if (!takesFile && positional.size() != 1) {
        printErr(QStringLiteral("status takes no arguments (see --help)"));
        return ExitUsage;
    }
    if (m_bAll && m_strCommand != QLatin1String("apply")) {
        printErr(QStringLiteral("--all belongs to apply"));
        return ExitUsage;
    }
    if (m_bJson && m_strCommand != QLatin1String("status")) {
        printErr(QStringLiteral("--json belongs to status"));
        return ExitUsage;
    }
    if (takesFile) {
        m_strFile = positional[1];
        if (m_strFile.isEmpty()) {
            printErr(QStringLiteral("empty file name"));
            return ExitUsage;
        }
    }
    m_strAppDir = parser.isSet(appDir) ? parser.value(appDir) : QCoreApplication::applicationDirPath();
    return -1;
}

int MouseCtl::checkAppDir()
{
    const QFileInfo dir(m_strAppDir);
    if (!dir.isDir()) {
        printErr(QStringLiteral("application directory %1 does not exist").arg(m_strAppDir));
        return ExitFile;
    }
    m_dirs = resolveStorageDirs(dir.absoluteFilePath());
    if (!QFileInfo(m_dirs.configIni()).isFile()) {
        printErr(QStringLiteral("%1 has no Config.ini; is %2 the application directory?")
                     .arg(m_dirs.configDir, m_strAppDir));
        return ExitFile;
    }
    return ExitOk;
}

int MouseCtl::openMouse(DeviceLink &link)
{
    link.LoadDeviceTable();
    if (link.EnumerateDevices() != 0) {
        printErr(QStringLiteral("the HID library could not be initialised"));
        return ExitNoMouse;
    }
    const QByteArray name(link.deviceTable().entries[0].name);
    link.OpenDevice(name.constData());
    if (!link.hasCommandHandle() && !link.permissionDeniedPath().empty()) {
        printErr(QStringLiteral("no permission to open the mouse (%1): install the udev rule 70-mousecfg.rules "
                                "(see the README), then plug the mouse in again")
                     .arg(QString::fromLocal8Bit(link.permissionDeniedPath().c_str())));
        return ExitNoMouse;
    }
    if (!link.hasCommandHandle()) {
        printErr(QStringLiteral("no mouse found (model \"%1\")").arg(link.modelName()));
        return ExitNoMouse;
    }
    return ExitOk;
}

std::optional<StatusAnswer> MouseCtl::queryStatus(DeviceLink &link)
{
    const DeviceLink::CommandLock lock = link.lockCommandHandle();
    if (!lock)
        return std::nullopt;
    TarnGetBatteryThread::SendStatusQuery(lock.handle());
    link.clock().pause(kStatusPauseAfterQueryMs);
    for (int attempt = 0; attempt < kStatusReadAttempts; ++attempt) {
        std::uint8_t buffer[kReportBufferSize] = {};
        const int got =
            hid_read_timeout(lock.handle(), buffer, kReportLength, link.clock().readTimeout(kStatusReadTimeoutMs));
        if (got < 0)
            break;
        if (got == 0)
            continue;
        LogPacket("read", buffer, got);
        // The mouse's own status reports may come first.
        const StatusInput input = decodeStatusInput(buffer);
        if (input.kind == StatusInput::Answer) {
            link.setStatusVariant(input.answer.variant);
            return input.answer;
        }
    }
    return std::nullopt;
}

int MouseCtl::runStatus()
{
    DeviceLink link(m_dirs);
    const int open = openMouse(link);
    if (open != ExitOk) {
        if (m_bJson)
            printJson({{QStringLiteral("connected"), false}, {QStringLiteral("connection"), QStringLiteral("none")}});
        return open;
    }

    const bool cable = link.hidCommand2() != nullptr;
    const bool receiver = link.hidCommand1() != nullptr;
    if (m_bJson) {
        printStatusJson(link, cable && receiver ? QStringLiteral("cable+receiver")
                              : cable           ? QStringLiteral("cable")
                                                : QStringLiteral("receiver"));
        link.CloseDevice();
        link.ExitHid();
        return ExitOk;
    }
    printOut(QStringLiteral("model: %1").arg(link.modelName()));
    printOut(QStringLiteral("connection: %1")
                 .arg(cable && receiver ? QStringLiteral("cable and receiver")
                      : cable           ? QStringLiteral("cable")
                                        : QStringLiteral("receiver")));

    const std::optional<StatusAnswer> status = queryStatus(link);
    if (!status) {
        printOut(QStringLiteral("battery: no answer"));
    } else if (status->battery.mouseOff()) {
        printOut(QStringLiteral("battery: MOUSE OFF"));
    } else {
        const BatteryReading &battery = status->battery;
        printOut(QStringLiteral("battery: reading %1 (0x%2), %3")
                     .arg(battery.raw())
                     .arg(battery.raw(), 4, 16, QLatin1Char('0'))
                     .arg(battery.charging() ? QStringLiteral("charging") : QStringLiteral("not charging")));
        printOut(QStringLiteral("battery level: %1%").arg(batteryLevel(battery, readBatteryFull(m_dirs))));
        printOut(QStringLiteral("write status: %1").arg(status->writeStatus));
    }
    link.CloseDevice();
    link.ExitHid();
    return ExitOk;
}

// The mouse is asked only for its battery and write status; the active profile,
// its DPI level and rate are those of the stored configuration, which the
// utility keeps up to date with what the mouse reports.
void MouseCtl::printStatusJson(DeviceLink &link, const QString &connection)
{
    QJsonObject out{{QStringLiteral("model"), link.modelName()},
                    {QStringLiteral("connected"), true},
                    {QStringLiteral("connection"), connection}};
    const std::optional<StatusAnswer> status = queryStatus(link);
    const bool awake = status && !status->battery.mouseOff();
    out.insert(QStringLiteral("answered"), bool(status));
    out.insert(QStringLiteral("asleep"), status && status->battery.mouseOff());
    out.insert(QStringLiteral("batteryPercent"),
               awake ? QJsonValue(batteryLevel(status->battery, readBatteryFull(m_dirs))) : QJsonValue());
    out.insert(QStringLiteral("batteryMillivolts"), awake ? QJsonValue(status->battery.millivolts()) : QJsonValue());
    out.insert(QStringLiteral("charging"), awake ? QJsonValue(status->battery.charging()) : QJsonValue());
    out.insert(QStringLiteral("writeStatus"), awake ? QJsonValue(status->writeStatus) : QJsonValue());

    AppConfig saved;
    ButtonPositions positions{};
    loadSavedConfig(m_dirs, saved, positions);
    const int slot = saved.ProfileID < kProfileCount ? saved.ProfileID : 0;
    const ProfileData &profile = saved.profiles[std::size_t(slot)];
    out.insert(QStringLiteral("profile"), slot + 1);
    out.insert(QStringLiteral("profileName"), saved.profileNames[std::size_t(slot)]);
    out.insert(QStringLiteral("dpiLevel"), profile.dpi + 1);
    const int hz = rateHz(profile.pollrate);
    out.insert(QStringLiteral("reportRateHz"), hz != 0 ? QJsonValue(hz) : QJsonValue());
    printJson(out);
}

int MouseCtl::runApply()
{
    AppConfig saved;
    ButtonPositions positions{};
    loadSavedConfig(m_dirs, saved, positions);
    AppConfig working = saved;

    QString problem;
    switch (importConfigFile(m_dirs, m_strFile, working, &problem)) {
    case ImportStatus::Imported:
        break;
    case ImportStatus::Refused:
        printErr(QStringLiteral("file error: %1 was refused: %2").arg(m_strFile, problem));
        return ExitFile;
    case ImportStatus::WrongProduct:
        printErr(QString::fromLatin1(kWrongProductText));
        return ExitFile;
    case ImportStatus::Unreadable:
        printErr(QStringLiteral("cannot read the configuration file %1").arg(m_strFile));
        return ExitFile;
    }

    DeviceLink link(m_dirs);
    const int open = openMouse(link);
    if (open != ExitOk)
        return open;

    const std::optional<StatusAnswer> status = queryStatus(link);
    const bool asleep = status && status->battery.mouseOff();
    ApplySequence apply(link);
    const SendOutcome outcome = runSendProcedure(m_dirs, apply, working, saved, m_bAll, asleep);
    link.CloseDevice();
    link.ExitHid();

    if (!outcome.store.ok) {
        printErr(outcome.store.message() +
                 (outcome.mask == 0 ? QStringLiteral(" (nothing sent)") : QStringLiteral(" (the mouse has it)")));
        return ExitFile;
    }
    if (outcome.result == kResultAsleep) {
        printErr(QStringLiteral("Mouse is sleeping or not connected. (the next apply sends everything)"));
        return ExitAsleep;
    }

    if (outcome.result != kResultOk) {
        printErr(QStringLiteral("Send data failed, please try again. (result %1; the next apply sends everything)")
                     .arg(outcome.result));
        return ExitSendFailed;
    }
    if (outcome.mask == 0)
        printOut(QStringLiteral("nothing to send: the mouse has this configuration"));
    else
        printOut(QStringLiteral("sent: %1").arg(groupNames(outcome.mask)));
    return ExitOk;
}

int MouseCtl::runExport()
{
    AppConfig saved;
    ButtonPositions positions{};
    loadSavedConfig(m_dirs, saved, positions);
    if (!exportConfigFile(m_dirs, m_strFile, saved)) {
        printErr(QStringLiteral("cannot write %1").arg(m_strFile));
        return ExitFile;
    }
    printOut(QStringLiteral("exported to %1").arg(m_strFile));
    return ExitOk;
}
