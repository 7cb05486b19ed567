#pragma once
// The program's only top-level window: the tabs, the pages, the mouse picture,
// the connection and battery indicators and the bottom command buttons; it
// lives on in the tray when hidden. It is layout and wiring: the state of the
// run lives in the MouseSession it is handed, the skinned-window behaviour in
// TarnSkinWindow, the tray in MousecfgTray.

#include "MouseList.h"
#include "StatusDecoding.h"
#include "TarnPage.h"
#include "TarnSkinWindow.h"

#include <QPixmap>
#include <QPointer>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class DeviceLink;
class MouseSession;
class MousecfgTray;
class QLabel;
class QMenu;
class QScreen;
class QTranslator;
class StatusThreadOwner;
class TarnLabel;
class TarnMenu;
class TarnMessageBox;
class TarnPage;
class TarnProcessbar;
class TarnPushButton;
class TarnUi;
struct AppConfig;
struct StorageDirs;

class OsdMessenger;

// What the application (or a test) decides about the surroundings of the window.
struct MousecfgOptions
{
    std::function<double(const QScreen *)> logicalDpi; // null: the screen's logical DPI
    std::function<bool()> trayAvailable;               // null: ask the desktop
    // Asks for a configuration file to save (save) or to load; empty when the
    // user cancels. null: the file dialogs.
    std::function<QString(QWidget *parent, bool save)> chooseConfigFile;
    OsdMessenger *osd = nullptr; // null: the texts of the on-screen display are dropped
};

class MousecfgWidget : public TarnSkinWindow
{
    Q_OBJECT
public:
    enum Tab { TabLighting = 0, TabCustomize = 1, TabDpi = 2, TabMacro = 3 };

    // Runs the start-up order: asks the session for each device and
    // configuration step and builds the widgets in between. The session and
    // ui must outlive the window.
    MousecfgWidget(MouseSession &session, TarnUi &ui, const MousecfgOptions &options = MousecfgOptions(),
                   QWidget *parent = nullptr);
    ~MousecfgWidget() override;

    MouseSession &session() const { return m_Session; }
    const StorageDirs &dirs() const;
    QString currentProductName() const;
    int mouseCount() const;
    int currentTab() const { return m_iCurrentTab; }
    ConnectionMode connectionMode() const { return m_ConnectionMode; }
    bool isWarningOpen() const { return m_bWarningOpen; }
    int liftValue() const { return m_iLift; }
    const AppConfig &savedConfig() const;
    const AppConfig &workingConfig() const;
    const QStringList &profileList() const;
    const QStringList &mouseNames() const;
    QMenu *profileMenu() const;
    DeviceLink &deviceLink() const;
    StatusThreadOwner &statusThreads() const;
    const std::vector<TarnPage *> &pages() const { return m_Pages; }

    // Shows exactly the groups of tab (0..3); other values are ignored.
    void selectTab(int tab);
    // Makes slot the current one (re-read from its file with reload), reloads
    // the pages and stores Config/ProfileID.
    void switchProfile(int slot, bool reload);
    // Apply's first step: every page hands its private edits to the working
    // copy's current profile.
    void collectPageEdits();
    // The bottom commands: "Apply", "SAVE", "LOAD1", "Reset All".
    void apply();
    void saveConfigFile();
    void loadConfigFile();
    void resetAll();
    // The window's side of the mouse going away and coming back (device
    // changes are detected elsewhere).
    void deviceLost();
    void deviceReturned();

public slots:
    void slotMouseOver(TarnPushButton *btn, bool bType);

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void scaleChanged() override;

private slots:
    void slotGotoMacro(quint8 iBtn);
    void slot_show_mousename(QAction *action);
    void slotPopOneClickBox();
    void slotEnableButtons(bool bEnable);
    void slotLiftChange(quint8 iLift);
    void slotRefreshProfile(int iProfile);
    void slotRefreshDPIStage(int iDPI);
    void slotRefreshRate(int iRate);
    void slotRefreshBatteryStatus(const BatteryReading &reading, int level);
    void slotRefreshWriteStatus(int iStatus);
    void slotWarning();
    void slotWarnClose();
    void trayClicked();
    void onLanguageChosen(QAction *action);

private:
    void buildMouseMenu();
    void buildWidgets();
    void buildPages();
    void setKeyboardOrder();
    void buildLanguageMenu();
    bool loadTranslation(int lang); // installs the translator when the file loads
    void retranslate();
    void setWindowTexts();
    void buildProfileMenu();
    void layoutWidgets();
    void showConnectionIcons();
    void showMousePicture(const QString &file); // a file of skin/mouse/<current product>/
    void reloadPanels();
    void hideToTray();
    TarnPushButton *makeButton(const QStringList &images, const char *name);
    // The send procedure behind the progress dialog, then its message.
    void runSend(bool sendAll);
    void showOsd(const QString &text);
    QString chooseConfigFile(bool save);

    MouseSession &m_Session;
    MousecfgOptions m_Options;
    QString m_strModelVersion;

    QPixmap m_BatteryImage1;
    QPixmap m_BatteryImage2;

    ConnectionMode m_ConnectionMode = ConnectionMode::None;
    bool m_bWarningOpen = false;
    int m_iLift = 0;
    int m_iCurrentTab = TabCustomize;
    bool m_bMacroDisabled = false; // PROFILE/DisableMacro of the model description
    bool m_bNoTrayLogged = false;

    // language
    QTranslator *m_pTranslator = nullptr;
    int m_iLangCount = 0;
    QStringList m_LangNames;
    QStringList m_LangFiles;

    // widgets
    TarnDesignLayout m_Layout;
    TarnPushButton *m_pCloseBtn = nullptr;
    TarnPushButton *m_pMinBtn = nullptr;
    TarnPushButton *m_pMouseSelBtn = nullptr;
    TarnMenu *m_pMouseMenu = nullptr;
    TarnPushButton *m_pLangBtn = nullptr;
    TarnMenu *m_pLangMenu = nullptr;
    QLabel *m_pLogo = nullptr;
    std::array<TarnPushButton *, 4> m_aTabBtn{}; // tab 0 has no button
    QLabel *m_pMousePicture = nullptr;
    TarnLabel *m_pModelCaption = nullptr;
    TarnLabel *m_pVersionLabel = nullptr;
    TarnProcessbar *m_pBatteryBar = nullptr;
    QLabel *m_pChargeIcon = nullptr;
    QLabel *m_pReceiverIcon = nullptr;
    TarnPushButton *m_pResetBtn = nullptr;
    TarnPushButton *m_pLoadBtn = nullptr;
    TarnPushButton *m_pSaveBtn = nullptr;
    TarnPushButton *m_pApplyBtn = nullptr;
    TarnMenu *m_pProfileMenu = nullptr;
    MousecfgTray *m_pTray = nullptr;
    QPointer<TarnMessageBox> m_pWarningBox;

    // the pages, and the tab each one belongs to
    std::vector<TarnPage *> m_Pages;
    std::vector<int> m_PageTabs;
};
