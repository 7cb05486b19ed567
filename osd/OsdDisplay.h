#pragma once
// The companion's window: one line of text near the bottom centre of the
// primary screen, over everything, never taking a click or the focus and
// without a task-bar entry. A text stays for its time at full strength, then
// fades out; a new text replaces the one shown at once.

#include "OsdBlock.h"

#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QTimer>
#include <QVariantAnimation>
#include <QWidget>

class OsdDisplay : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kFadeOutMs = 400;
    static constexpr int kMinTextHeight = 8;
    static constexpr int kMaxTextHeight = 400;
    static constexpr int kMaxShowTimeMs = 60000;

    // traceFile (may be empty): a line "<ms since the epoch> <text>" is
    // appended when a new text is first painted, for tests and benchmarks.
    explicit OsdDisplay(const QString &traceFile = QString(), QWidget *parent = nullptr);

    void showMessage(const osdblock::Message &message);
    QString text() const { return m_strText; }

signals:
    void messageShown();
    void finished(); // the text has faded out

protected:
    void paintEvent(QPaintEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;

private:
    void startFadeOut();

    QString m_strText;
    QColor m_Colour;
    QFont m_Font;
    double m_dOpacity = 1.0;
    bool m_bTracePending = false;
    QString m_strTraceFile;
    QTimer m_HoldTimer;
    QVariantAnimation m_Fade;
};
