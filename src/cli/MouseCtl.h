#pragma once
// The command-line companion: status of the mouse, applying and exporting
// configuration files, and a trace of every report. It works on an application
// directory exactly as the utility does and uses the same send procedure.

#include "StatusDecoding.h"
#include "StorageDirs.h"

#include <QString>
#include <QStringList>

#include <optional>

class DeviceLink;

class MouseCtl
{
public:
    enum ExitCode {
        ExitOk = 0,
        ExitUsage = 1,
        ExitFile = 2, // unreadable or foreign configuration file, bad application directory
        ExitNoMouse = 3,
        ExitSendFailed = 4,
        ExitAsleep = 5,
    };

    // Installs the message handler that prints the packet trace on stdout and
    // diagnostics on stderr. Call once, before the first message.
    static void installMessageHandler();

    // arguments: the whole command line, program name first.
    int run(const QStringList &arguments);

private:
    int parse(const QStringList &arguments);
    int checkAppDir();
    int openMouse(DeviceLink &link);
    // The decoded answer to one status query; empty when the mouse did not answer.
    std::optional<StatusAnswer> queryStatus(DeviceLink &link);
    int runStatus();
    void printStatusJson(DeviceLink &link, const QString &connection);
    int runApply();
    int runExport();

    QString m_strCommand;
    QString m_strFile;
    QString m_strAppDir;
    QStringList m_simFaults;
    bool m_bAll = false;
    bool m_bJson = false;
    bool m_bTrace = false;
    bool m_bVerbose = false;
    bool m_bSimulate = false;
    StorageDirs m_dirs;
};
