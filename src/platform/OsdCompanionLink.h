#pragma once
// "Find, start if absent, send" for the on-screen display companion. The
// looking and the sending belong to each system (a window and WM_COPYDATA on
// Windows, a local socket on Linux); the start attempts are common: up to five,
// 500 ms apart, from a timer, so the GUI thread goes on while the companion
// starts. A text that arrives meanwhile replaces the one waiting (the companion
// would show only the newest anyway).

#include "OsdMessenger.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class OsdCompanionLink : public QObject, public OsdMessenger
{
    Q_OBJECT
public:
    static constexpr int kStartAttempts = 5;
    static constexpr int kRetryIntervalMs = 500;

    // program: the companion, started without arguments when it is not found.
    // colour: the theme colour as 0x00BBGGRR, asked for every text.
    OsdCompanionLink(const QString &program, std::function<quint32()> colour, QObject *parent = nullptr);

    void showText(const QString &text) override;

    // True from a text until it was handed over or given up.
    bool isBusy() const { return m_bBusy; }

signals:
    void startAttempted(int attempt); // 1..kStartAttempts
    void delivered();
    void givenUp(); // the companion could not be found or refused the text (logged)

protected:
    enum class Outcome {
        Delivered,
        Missing, // nothing to talk to: start the companion and look again
        Failed   // found, but the text did not get through
    };
    // Looks for the companion and hands it the block; reports with
    // deliveryFinished exactly once, before returning or later.
    virtual void deliver(const QByteArray &block) = 0;
    void deliveryFinished(Outcome outcome);

private:
    void attempt();
    void retry();

    QString m_strProgram;
    std::function<quint32()> m_colour;
    QByteArray m_Current; // being delivered
    QByteArray m_Pending; // newer text that came in meanwhile
    bool m_bBusy = false;
    int m_iStarts = 0;
    QTimer m_RetryTimer;
};

// This system's link, with the companion program in appDir
// ("<appDir>/OSD.exe" on Windows, "<appDir>/osd" elsewhere).
std::unique_ptr<OsdCompanionLink> createOsdCompanionLink(const QString &appDir, std::function<quint32()> colour);
