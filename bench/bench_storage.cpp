// Time to load the saved configuration (Config.ini and five profile files) and
// to save the working configuration, median of several runs in a temporary
// directory, and the size of one profile file.

#include "ConfigFile.h"
#include "ProfileModel.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

AppConfig sampleConfig(const StorageDirs &dirs)
{
    AppConfig c;
    resetAllProfiles(dirs, c);
    c.Count = 5;
    for (int n = 0; n < kProfileCount; ++n) {
        ProfileData &p = c.profiles[size_t(n)];
        p.ProfileName = c.profileNames[size_t(n)];
        for (int i = 0; i < kButtonEntryCount; ++i) {
            ButtonEntry &b = p.buttons[size_t(i)];
            for (int j = 0; j < kKeyInfoCount; ++j)
                b.keyInfo[size_t(j)] = {std::uint8_t(j), std::uint8_t(i), std::uint8_t(n)};
        }
    }
    return c;
}

// Moves the files' modification time so that nothing parsed earlier can be reused.
void touchAll(const StorageDirs &dirs, int run)
{
    const QDateTime t = QDateTime::currentDateTime().addSecs(run + 1);
    QStringList files{dirs.configIni()};
    for (const QString &f : QDir(dirs.profileDir()).entryList(QDir::Files | QDir::Hidden))
        files << dirs.profileDir() + QLatin1Char('/') + f;
    for (const QString &f : files) {
        QFile file(f);
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(t, QFileDevice::FileModificationTime);
    }
}

double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

struct Timing
{
    double wallMs = 0; // what the user waits
    double cpuMs = 0;  // this thread's processor time; differs when the machine is busy
};

Timing median(int runs, const std::function<void(int)> &before, const std::function<void()> &work)
{
    std::vector<double> wall, cpu;
    for (int r = 0; r < runs; ++r) {
        before(r);
        QElapsedTimer timer;
        const double c0 = cpuMs();
        timer.start();
        work();
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(cpuMs() - c0);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

QString loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readLine()) : QStringLiteral("unknown\n");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 9;
    QTemporaryDir tmp;
    const StorageDirs dirs = StorageDirs::fromAppDir(tmp.path());
    QDir().mkpath(dirs.profileDir());
    QDir().mkpath(dirs.macroDir());

    const AppConfig config = sampleConfig(dirs);
    saveWorkingConfig(dirs, config);
    // every slot differs from config, so each save below rewrites all five files
    AppConfig other = config;
    for (ProfileData &p : other.profiles) {
        p.pollrate = 8;
        p.buttons[41].keyInfo[62].H = 99;
    }
    // only the active slot differs
    AppConfig oneSlot = config;
    oneSlot.profiles[0].dpi = 5;

    AppConfig loaded;
    ButtonPositions positions{};
    const Timing loadCold = median(
        runs, [&](int r) { touchAll(dirs, r); }, [&] { loadSavedConfig(dirs, loaded, positions); });
    const Timing loadWarm = median(
        runs, [](int) {}, [&] { loadSavedConfig(dirs, loaded, positions); });
    int saves = 0;
    const Timing save = median(
        runs, [](int) {}, [&] { saveWorkingConfig(dirs, ++saves % 2 ? other : config); });
    saveWorkingConfig(dirs, config);
    const Timing saveOne = median(
        runs, [](int) {}, [&] { saveWorkingConfig(dirs, ++saves % 2 ? oneSlot : config); });
    saveWorkingConfig(dirs, config);
    if (loaded != config) {
        std::fprintf(stderr, "loaded configuration differs from the saved one\n");
        return 1;
    }
    const qint64 size = QFileInfo(dirs.profileDir() + QStringLiteral("/Profile 1.prof")).size();
    std::printf("storage benchmark, median of %d runs\n", runs);
    std::printf("load avg: %s", qPrintable(loadAverage()));
    std::printf("loadSavedConfig, files changed on disk:  %7.2f ms wall, %7.2f ms cpu  (target <= 30 ms)\n",
                loadCold.wallMs, loadCold.cpuMs);
    std::printf("loadSavedConfig, files unchanged:        %7.2f ms wall, %7.2f ms cpu\n", loadWarm.wallMs,
                loadWarm.cpuMs);
    std::printf("saveWorkingConfig, all five slots changed: %5.2f ms wall, %7.2f ms cpu  (target <= 60 ms)\n",
                save.wallMs, save.cpuMs);
    std::printf("saveWorkingConfig, one slot changed:     %7.2f ms wall, %7.2f ms cpu\n", saveOne.wallMs,
                saveOne.cpuMs);
    std::printf("profile file size: %lld bytes\n", static_cast<long long>(size));
    return 0;
}
