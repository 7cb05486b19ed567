#pragma once
// "FireKey Setting": what a rapid-fire button repeats (a left, right or
// middle click, or a keyboard key captured here), how many times and with
// which delay. Keys still reach the program that has the focus.

#include "KeyTables.h"
#include "ProfileData.h"
#include "TarnKeyCaptureDialog.h"

#include <array>

class QLineEdit;
class QRadioButton;

class TarnFireKeyWindow : public TarnKeyCaptureDialog
{
    Q_OBJECT
public:
    enum Mode { LeftClick = 0, RightClick = 1, MiddleClick = 2, KeyboardKey = 3 };

    explicit TarnFireKeyWindow(QWidget *parent = nullptr);

    // Shows a stored fire-key entry (one whose Fun is the fire key).
    void setPreset(const ButtonEntry &entry);

    int mode() const { return m_iMode; }
    InternalKeyCode key() const { return m_Key; }
    // The edits as numbers; an empty edit gives 0.
    int times() const;
    int delay() const;
    QLineEdit *timesEdit() const { return m_pTimes; }
    QLineEdit *delayEdit() const { return m_pDelay; }

signals:
    void SetFireKeyValue(quint8 key, quint8 mode, quint8 times, quint8 delay);

public slots:
    void checkbtn_clicked();
    void onEditReturn();
    void OnEditDataChanged();

protected:
    bool hookEvent(std::uint32_t &scanCode, std::uint32_t flags) override;

private:
    void applyMode();
    void announce();
    QLineEdit *makeNumberEdit(const QString &objectName, const QString &text);

    int m_iMode = LeftClick;
    InternalKeyCode m_Key = 0;
    bool m_bSkipNext = false;
    bool m_bSeen = false;
    InternalKeyCode m_LastCode = 0;
    std::uint32_t m_uLastFlags = 0;
    std::array<QRadioButton *, 4> m_aModes{};
    TarnPushButton *m_pKeyCaption = nullptr;
    QLineEdit *m_pTimes = nullptr;
    QLineEdit *m_pDelay = nullptr;
};
