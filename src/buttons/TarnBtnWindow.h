#pragma once
// The button page on the "CUSTOMIZE" tab: one row per mouse button of the
// model, numbered as on the mouse picture, plus the two wheel directions.
// Pressing a row opens the function menu; the choice is written at once
// into the current profile of the session's working copy (dialogs first for
// keys, fire key, sniper and macros), so Apply has nothing to collect.
//
// Selection: the row last pressed or hovered, as (page, index); 255/255
// after every choice. Pages 0 and 1 hold 20 rows each (entries 0..19 and
// 20..39), page 2 the wheel (entries 40 and 41).

#include "ButtonCatalogue.h"
#include "TarnPage.h"

#include <array>
#include <map>
#include <vector>

class MouseSession;
class QAction;
class QScrollArea;
class TarnLabel;
class TarnMenu;
class TarnPushButton;

class TarnBtnWindow : public TarnPage
{
    Q_OBJECT
public:
    static constexpr int kPageButtons = 20;
    static constexpr quint8 kNoSelection = 255;

    explicit TarnBtnWindow(MouseSession &session, QWidget *parent = nullptr);

    void load(const ProfileData &profile) override;
    void retranslate() override;
    void relayout() override;

    // Selects a row and shows its page.
    void selectButton(int index, int page);
    // Page 0 or 2: the first page and the wheel; page 1: the second page.
    // 255 keeps the page.
    void showPage(int index, int page);
    // Every row's caption from the current profile.
    void refreshLabels();

    int selectedPage() const { return m_iSelPage; }
    int selectedIndex() const { return m_iSelIndex; }
    // The row of entry 0..41.
    TarnPushButton *button(int entry) const;
    TarnMenu *mainMenu() const { return m_pMainMenu; }
    TarnMenu *wheelMenu() const { return m_pWheelMenu; }

signals:
    // A row is highlighted (true) or no longer (false): the window mirrors it
    // on the mouse picture.
    void SelBtnControl(TarnPushButton *btn, bool bType);
    // A macro is to be chosen and none exists: the macro tab (3) should open.
    void GotoMacroTab(quint8 iBtn);
    // The last left click would be removed.
    void PopOneClickBox();

public slots:
    void slotMouseEnter(TarnPushButton *btn);
    void slotMouseOver(TarnPushButton *btn, bool bType);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void onFunctionChosen();

private:
    void buildMenus();
    void rebuildMainMenu();
    void layoutButtons();
    void applyMenuWidths();
    void chooseFunction(int code);
    // False when the user cancelled (nothing changed).
    bool runDialog(int code, ButtonEntry &entry);
    // -1: no macro exists (the macro tab was asked for); 0 cancelled; 1 chosen.
    int chooseMacro(ButtonEntry &entry, TarnPushButton *btn);
    void showCaption(int entry, const ButtonEntry &value);
    QAction *makeAction(int code, QObject *parent);
    ButtonEntries &entries();

    MouseSession &m_Session;
    quint8 m_iSelPage = 0;
    quint8 m_iSelIndex = 0;

    QScrollArea *m_pScroll = nullptr;
    QWidget *m_pContent = nullptr;
    std::array<TarnPushButton *, kButtonEntryCount> m_aButtons{};
    std::array<TarnLabel *, kPageButtons + 2> m_aNumbers{}; // first page, then the wheel
    std::array<int, kPageButtons> m_aRow{};                 // shown row of a first-page button, -1 hidden
    bool m_bSecondPage = false;

    TarnMenu *m_pMainMenu = nullptr;
    TarnMenu *m_pWheelMenu = nullptr;
    std::map<FunctionMenu, TarnMenu *> m_Submenus;
    std::map<int, QAction *> m_Actions; // by code
};
