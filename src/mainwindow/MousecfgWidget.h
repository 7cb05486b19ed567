#pragma once
// The program's only top-level window: the tabs, the pages, the mouse picture,
// the connection and battery indicators and the bottom command buttons; it
// lives on in the tray when hidden. It is layout and wiring: the state of the
// run lives in the MouseSession it is handed, the skinned-window behaviour in
// TarnSkinWindow, the tray in MousecfgTray, the bottom commands in
// MousecfgCommands, the battery and connection icons in MousecfgStatusArea,
// the language menu in MousecfgLanguage, the mouse menu in
// MousecfgMouseSelector, the mouse picture in MousecfgMousePicture.

#include "MouseList.h"
#include "MouseSession.h"
#include "MousecfgStatusArea.h"
#include "StatusDecoding.h"
#include "TarnPage.h"
#include "TarnSkinWindow.h"

#include <QPointer>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class DeviceLink;
class DeviceNotifier;
class MouseSession;
class MousecfgCommands;
class MousecfgLanguage;
class MousecfgMousePicture;
class MousecfgMouseSelector;
class MousecfgTray;
class QLabel;
class QMenu;
class QScreen;
class StatusThreadOwner;
class TarnLabel;
class TarnMenu;
class TarnMessageBox;
class TarnPage;
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
    const StorageDirs &dirs() const { return m_Session.dirs(); }
    QString currentProductName() const { return m_Session.currentProductName(); }
    int mouseCount() const { return m_Session.mouseCount(); }
    int currentTab() const { return m_iCurrentTab; }
    ConnectionMode connectionMode() const { return m_pStatus->connectionMode(); }
    bool isWarningOpen() const { return m_bWarningOpen; }
    int liftValue() const { return m_iLift; }
    const AppConfig &savedConfig() const { return m_Session.savedConfig(); }
    const AppConfig &workingConfig() const { return m_Session.workingConfig(); }
    const QStringList &profileList() const { return m_Session.profileList(); }
    const QStringList &mouseNames() const { return m_Session.mouseNames(); }
    QMenu *profileMenu() const;
    DeviceLink &deviceLink() const { return m_Session.link(); }
    StatusThreadOwner &statusThreads() const { return m_Session.statusThreads(); }
    const std::vector<TarnPage *> &pages() const { return m_Pages; }

    // Shows exactly the groups of tab (0..3); other values are ignored.
    void selectTab(int tab);
    // Makes slot the current one (re-read from its file with reload), reloads
    // the pages and stores Config/ProfileID.
    void switchProfile(int slot, bool reload);
    // Apply's first step: every page hands its private edits to the working
    // copy's current profile.
    void collectPageEdits();
    // Whether the box saying that the mouse may not be opened was shown.
    bool permissionMessageShown() const { return m_bPermissionShown; }
    DeviceNotifier *deviceNotifier() const { return m_pNotifier.get(); }

public slots:
    void slotMouseOver(TarnPushButton *btn, bool bType);

protected:
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;
    void scaleChanged() override;

private slots:
    void slotGotoMacro(quint8 iBtn);
    void slotPopOneClickBox();
    void slotEnableButtons(bool bEnable);
    void slotLiftChange(quint8 iLift);
    void slotRefreshProfile(int iProfile);
    void slotRefreshDPIStage(int iDPI);
    void slotRefreshRate(int iRate);
    void slotRefreshWriteStatus(int iStatus);
    void slotWarning();
    void slotWarnClose();
    void onDeviceLost();
    void onMouseSwitched();
    void trayClicked();

private:
    void buildWidgets();
    void buildPages();
    void setKeyboardOrder();
    void retranslate();
    void setWindowTexts();
    void buildProfileMenu();
    void layoutWidgets();
    void reloadPanels();
    void hideToTray();
    TarnPushButton *makeButton(const QStringList &images, const char *name);
    void showOsd(const QString &text);
    // Shows once per run why a mouse that is there cannot be opened; true when it did.
    bool showPermissionProblem();

    MouseSession &m_Session;
    MousecfgOptions m_Options;
    QString m_strModelVersion;

    bool m_bWarningOpen = false;
    int m_iLift = 0;
    int m_iCurrentTab = TabCustomize;
    bool m_bMacroDisabled = false; // PROFILE/DisableMacro of the model description
    bool m_bNoTrayLogged = false;
    bool m_bPermissionShown = false;
    // The mouse is open and the window re-initialised for it (the disconnection box waits for it).
    bool m_bDeviceReady = false;
    std::unique_ptr<DeviceNotifier> m_pNotifier;

    // the parts that hold their own widgets and behaviour
    MousecfgStatusArea *m_pStatus = nullptr;
    MousecfgLanguage *m_pLanguage = nullptr;
    MousecfgMouseSelector *m_pMouseSelector = nullptr;
    MousecfgCommands *m_pCommands = nullptr;

    // widgets
    TarnDesignLayout m_Layout;
    TarnPushButton *m_pCloseBtn = nullptr;
    TarnPushButton *m_pMinBtn = nullptr;
    TarnPushButton *m_pMouseSelBtn = nullptr;
    TarnPushButton *m_pLangBtn = nullptr;
    QLabel *m_pLogo = nullptr;
    std::array<TarnPushButton *, 4> m_aTabBtn{}; // tab 0 has no button
    MousecfgMousePicture *m_pMousePicture = nullptr;
    TarnLabel *m_pModelCaption = nullptr;
    TarnLabel *m_pVersionLabel = nullptr;
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
