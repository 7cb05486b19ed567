#pragma once
// "MACRO SELECT": which recorded macro a button plays and how it repeats.
// Lists the macros of the MACRO_LIST registry as they are when it opens.

#include "TarnSkinDialog.h"

#include <array>

class QLineEdit;
class QRadioButton;
class QToolButton;
class TarnLabel;
class TarnMenu;
class TarnPushButton;

class TarnMacroSelect : public TarnSkinDialog
{
    Q_OBJECT
public:
    // Repeat modes, as a button's Res1 stores them.
    enum Mode { LoopCount = 0, WhileHeld = 1, UntilPressedAgain = 2 };

    // A preset mode outside 0..2 (Res1 is any byte of a loaded file) starts
    // as LoopCount.
    TarnMacroSelect(const QString &title, const QString &heading, const QString &name, int loopCount, int mode,
                    QWidget *parent = nullptr);

    QString macroName() const { return m_strName; }
    // The edit as a number; empty gives 0.
    int loopCount() const;
    // The first option that is on; 0 when none is.
    int mode() const;

    QStringList listedNames() const;
    QLineEdit *loopEdit() const { return m_pLoopEdit; }
    TarnMenu *macroMenu() const { return m_pMenu; }

private:
    void chooseName(const QString &name);

    QString m_strName;
    TarnLabel *m_pHeading = nullptr;
    TarnLabel *m_pInfo = nullptr;
    TarnPushButton *m_pChoice = nullptr;
    TarnMenu *m_pMenu = nullptr;
    QLineEdit *m_pLoopEdit = nullptr;
    std::array<QRadioButton *, 3> m_aModes{};
    QToolButton *m_pYesBtn = nullptr;
    QToolButton *m_pNoBtn = nullptr;
};
