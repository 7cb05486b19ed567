#pragma once
// The program's only top-level window: frameless, shaped by its background,
// scaled to the screen, with the tabs, the mouse picture, the connection and
// battery indicators and the bottom command buttons; it lives on in the tray
// when hidden. It owns the process-wide objects of a run: the device link and
// its status thread, the saved and working configuration and the profile book.

#include "DisplayScale.h"
#include "ModelDescription.h"
#include "ProfileBook.h"
#include "ProfileData.h"
#include "StorageDirs.h"

#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class DeviceClock;
class DeviceLink;
class QAction;
class QLabel;
class QMenu;
class QScreen;
class QTranslator;
class StatusThreadOwner;
class TarnLabel;
class TarnMenu;
class TarnMessageBox;
class TarnProcessbar;
class TarnPushButton;
class TarnUi;

// What the application (or a test) decides about the surroundings of the window.
struct MousecfgOptions
{
    QString appDir;                                    // empty: the executable's folder
    std::function<double(const QScreen *)> logicalDpi; // null: the screen's logical DPI
    std::function<bool()> trayAvailable;               // null: ask the desktop
    DeviceClock *clock = nullptr;                      // null: real time; not owned
};

class MousecfgWidget : public QWidget
{
    Q_OBJECT
public:
    enum Tab { TabLighting = 0, TabCustomize = 1, TabDpi = 2, TabMacro = 3 };

    explicit MousecfgWidget(const MousecfgOptions &options = MousecfgOptions(), QWidget *parent = nullptr);
    ~MousecfgWidget() override;

    const StorageDirs &dirs() const { return m_Dirs; }
    QString currentProductName() const { return m_strCurrentProduct; }
    int mouseCount() const { return m_iMouseCount; }
    double displayScale() const;
    int dpiStep() const { return m_iDpiVal; }
    int currentTab() const { return m_iCurrentTab; }
    int connectionMode() const { return m_iConnectionMode; }
    bool isWarningOpen() const { return m_bWarningOpen; }
    int liftValue() const { return m_iLift; }
    const AppConfig &savedConfig() const { return m_SavedConfig; }
    const AppConfig &workingConfig() const { return m_WorkingConfig; }
    const QStringList &profileList() const { return m_ProfileBook.list(); }
    const QStringList &mouseNames() const { return m_MouseNames; }
    QMenu *profileMenu() const;
    DeviceLink &deviceLink() { return *m_pLink; }
    StatusThreadOwner &statusThreads() { return *m_pStatus; }

    // Shows exactly the groups of tab (0..3); other values are ignored.
    void selectTab(int tab);
    // Makes slot the current one (re-read from its file with reload), reloads
    // the panels and stores Config/ProfileID.
    void switchProfile(int slot, bool reload);

public slots:
    void slotMouseOver(TarnPushButton *btn, bool bType);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void SelBtnChanged(quint8 iBtn, quint8 iType);
    void slotGotoMacro(quint8 iBtn);
    void slot_show_mousename(QAction *action);
    void slotPopOneClickBox();
    void slotEnableButtons(bool bEnable);
    void slotLiftChange(quint8 iLift);
    void slotRefreshProfile(quint8 iProfile);
    void slotRefreshDPIStage(quint8 iDPI);
    void slotRefreshLightMode(quint8 iBuff1);
    void slotRefreshRate(quint8 iRate);
    void slotWarning();
    void slotWarnClose();
    void slotRefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte);
    void slotRefreshStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode);
    void slotRefreshWriteStatus(quint8 iStatus);
    void onButtonClicked();
    void onLanguageChosen(QAction *action);

private:
    double logicalDpiOf(const QScreen *screen) const;
    int scaled(int design) const;
    QRect scaledRect(int x, int y, int w, int h) const;
    const QPixmap &backgroundFor(int step, const QSize &size);
    void applyWindowMask();

    void buildMouseList();
    void buildWidgets();
    void buildLanguageMenu();
    bool loadTranslation(int lang); // installs the translator when the file loads
    void retranslate();
    void setWindowTexts();
    void buildProfileMenu();
    void buildTray();
    void layoutWidgets();
    void showConnectionIcons();
    void showMousePicture(const QString &file); // a file of skin/mouse/<current product>/
    void reloadPanels();
    void hideToTray();
    void pause(int ms);

    // surroundings
    MousecfgOptions m_Options;
    StorageDirs m_Dirs;
    QString m_strCurrentProduct; // Config/CurrentProductName after the mouse list was built
    QString m_strModelVersion;

    // process-wide objects of this run; the link outlives the status threads
    std::unique_ptr<TarnUi> m_pUi;
    std::unique_ptr<DeviceLink> m_pLink;
    std::unique_ptr<StatusThreadOwner> m_pStatus;
    AppConfig m_SavedConfig;
    AppConfig m_WorkingConfig;
    ButtonPositions m_ButtonPositions{};
    ProfileBook m_ProfileBook;

    // scale and shape
    std::array<QPixmap, kScaleSteps> m_aBackground;
    QPixmap m_BatteryImage1;
    QPixmap m_BatteryImage2;
    int m_iDpiVal = 0;
    int m_iLastDpiVal = 0;
    int m_iLastWidth = 0;
    int m_iLastHeight = 0;

    // dragging
    bool m_bDragging = false;
    QPoint m_PressPoint;
    QPoint m_WindowOrigin;

    // device and status
    int m_iMouseCount = 0;
    QStringList m_MouseNames;
    int m_iDevicePresent = 0;
    int m_iConnectionMode = 3;
    bool m_bWarningOpen = false;
    int m_iBatteryFull = 4200;
    int m_iLift = 0;
    int m_iSelBtn = 0;
    int m_iSelType = 0;
    int m_iCurrentTab = TabCustomize;
    bool m_bMacroDisabled = false; // PROFILE/DisableMacro of the model description
    bool m_bNoTrayLogged = false;

    // language
    QTranslator *m_pTranslator = nullptr;
    int m_iLangCount = 0;
    QStringList m_LangNames;
    QStringList m_LangFiles;

    // widgets
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
    QSystemTrayIcon *m_pTrayIcon = nullptr;
    TarnMenu *m_pTrayMenu = nullptr;
    QAction *m_pLoadConfigAction = nullptr;
    QAction *m_pQuitAction = nullptr;
    QPointer<TarnMessageBox> m_pWarningBox;
};
