#include "MousecfgWidget.h"

#include "ConfigFile.h"
#include "DeviceNotifier.h"
#include "MacroDialog.h"
#include "ModelDescription.h"
#include "MouseSession.h"
#include "MousecfgCommands.h"
#include "MousecfgLanguage.h"
#include "MousecfgMousePicture.h"
#include "MousecfgMouseSelector.h"
#include "MousecfgStatusArea.h"
#include "MousecfgTray.h"
#include "OsdMessenger.h"
#include "ProfileModel.h"
#include "TarnAccessible.h"
#include "TarnAction.h"
#include "TarnBtnWindow.h"
#include "TarnColorWindow.h"
#include "TarnDPIWindow.h"
#include "TarnLabel.h"
#include "TarnMenu.h"
#include "TarnMessageBox.h"
#include "TarnPointSpeed.h"
#include "TarnPushButton.h"
#include "TarnReportRate.h"
#include "TarnUi.h"

#include <QCloseEvent>
#include <QDebug>
#include <QLabel>
#include <QTimer>
#include <QToolTip>

namespace {
const QStringList kTabImages = {QStringLiteral("/skin/tabbutton-1.png"), QStringLiteral("/skin/tabbutton-3.png"),
                                QStringLiteral("/skin/tabbutton-2.png")};

// Texts of the tab buttons, by tab index; tab 0 has no button.
// Marked in the window's context, where retranslate() looks them up.
const char *const kTabTexts[4] = {nullptr, QT_TRANSLATE_NOOP("MousecfgWidget", "CUSTOMIZE"),
                                  QT_TRANSLATE_NOOP("MousecfgWidget", "DPI"),
                                  QT_TRANSLATE_NOOP("MousecfgWidget", "MACRO")};
} // namespace

MousecfgWidget::MousecfgWidget(MouseSession &session, TarnUi &ui, const MousecfgOptions &options, QWidget *parent)
    : TarnSkinWindow(ui, QStringLiteral("/skin/cfgMainback.png"), QSize(kDesignWidth, kDesignHeight),
                     options.logicalDpi, parent)
    , m_Session(session)
    , m_Options(options)
{
    setObjectName(QStringLiteral("MousecfgWidget"));
    m_strModelVersion = readModelVersion(dirs());
    m_bMacroDisabled = readDisableMacro(dirs()) != 0;
    m_pStatus = new MousecfgStatusArea(m_Session, ui, this);

    m_pMouseSelBtn = new TarnPushButton(kTabImages, QString(), this);
    m_pMouseSelBtn->setObjectName(QStringLiteral("mouseSelector"));
    m_pMouseSelBtn->setKind(TarnPushButton::Kind::MenuButton);
    m_Layout.place(m_pMouseSelBtn, 670, 33, 100, 20);
    m_pMouseSelector = new MousecfgMouseSelector(m_Session, ui, m_pMouseSelBtn, this);

    m_Session.findDevices();
    m_pMouseSelector->rebuild();

    m_pLanguage = new MousecfgLanguage(dirs(), ui, this);
    connect(m_pLanguage, &MousecfgLanguage::translationChanged, this, &MousecfgWidget::setWindowTexts);

    buildWidgets();
    m_pLanguage->loadTranslation(ui.langId());

    // Windows sends the changes to this window; elsewhere the window is not needed.
#ifdef Q_OS_WIN
    const quintptr nativeWindow = quintptr(winId());
#else
    const quintptr nativeWindow = 0;
#endif
    m_pNotifier = createDeviceNotifier(nativeWindow);
    connect(m_pNotifier.get(), &DeviceNotifier::interfaceChanged, &m_Session, &MouseSession::HandleDeviceChange);
    connect(m_pNotifier.get(), &DeviceNotifier::devicesChanged, &m_Session, &MouseSession::rescanDevices);
    connect(&m_Session, &MouseSession::mouseListChanged, m_pMouseSelector, &MousecfgMouseSelector::showList);
    connect(&m_Session, &MouseSession::deviceLost, this, &MousecfgWidget::onDeviceLost);
    connect(&m_Session, &MouseSession::deviceReturned, this,
            [this] { QTimer::singleShot(200, this, &MousecfgWidget::slotWarnClose); });
    connect(&m_Session, &MouseSession::configurationReloaded, this, [this] {
        m_iLift = m_Session.workingConfig().LiftHigh;
        buildProfileMenu();
        reloadPanels();
    });
    connect(&m_Session, &MouseSession::connectionChanged, m_pStatus, &MousecfgStatusArea::showConnectionIcons);
    connect(m_pMouseSelector, &MousecfgMouseSelector::mouseSwitched, this, &MousecfgWidget::onMouseSwitched);

    m_Session.loadProfileList();
    m_Session.readBatteryFull();
    m_Session.openDevice();
    m_bDeviceReady = m_Session.devicePresence() == DevicePresence::Present;

    connect(&m_Session, &MouseSession::batteryReported, m_pStatus, &MousecfgStatusArea::showBattery);
    connect(&m_Session, &MouseSession::profileReported, this, &MousecfgWidget::slotRefreshProfile);
    connect(&m_Session, &MouseSession::dpiLevelReported, this, &MousecfgWidget::slotRefreshDPIStage);
    connect(&m_Session, &MouseSession::rateReported, this, &MousecfgWidget::slotRefreshRate);
    connect(&m_Session, &MouseSession::writeStatusReported, this, &MousecfgWidget::slotRefreshWriteStatus);
    m_Session.startStatusThread();

    m_Session.loadConfiguration();
    m_Session.readPointerSpeed();
    m_iLift = m_Session.workingConfig().LiftHigh;

    buildProfileMenu();
    buildPages();

    selectTab(TabCustomize);
    reloadPanels();
    setWindowTexts();

    m_Session.writeDefaultProfile();

    setStyleSheet(QStringLiteral("*{outline:0px;}"));
    setWindowIcon(QIcon(ui.imagePath(QStringLiteral("/skin/icon.ico"))));
    m_pTray = new MousecfgTray(windowIcon(), currentProductName(), this);
    connect(m_pTray, &MousecfgTray::loadConfigRequested, this, &MousecfgWidget::slotWarning);
    connect(m_pTray, &MousecfgTray::clicked, this, &MousecfgWidget::trayClicked);
    m_Session.handleBatteryStatus(0, 1, 1);
    m_pStatus->showConnectionIcons();
    setKeyboardOrder();

    QTimer::singleShot(200, this, &MousecfgWidget::slotWarning);
}

MousecfgWidget::~MousecfgWidget()
{
    m_pNotifier.reset();
    // The status thread must be gone before the handles close; the session
    // does both in that order.
    m_Session.shutdown();
}

QMenu *MousecfgWidget::profileMenu() const
{
    return m_pProfileMenu;
}

TarnPushButton *MousecfgWidget::makeButton(const QStringList &images, const char *name)
{
    auto *button = new TarnPushButton(images, QString(), this);
    button->setObjectName(QLatin1String(name));
    return button;
}

void MousecfgWidget::buildWidgets()
{
    m_pCloseBtn = makeButton(
        {QStringLiteral("/skin/close-1.png"), QStringLiteral("/skin/close-2.png"), QStringLiteral("/skin/close-3.png")},
        "closeButton");
    connect(m_pCloseBtn, &QPushButton::clicked, this, &MousecfgWidget::hideToTray);
    m_pMinBtn = makeButton(
        {QStringLiteral("/skin/min-1.png"), QStringLiteral("/skin/min-2.png"), QStringLiteral("/skin/min-3.png")},
        "minimizeButton");
    connect(m_pMinBtn, &QPushButton::clicked, this, &QWidget::showMinimized);
    m_pLangBtn = makeButton(
        {QStringLiteral("/skin/lang.png"), QStringLiteral("/skin/lang.png"), QStringLiteral("/skin/lang.png")},
        "languageButton");
    m_pLangBtn->setKind(TarnPushButton::Kind::MenuButton);
    m_pLanguage->buildMenu(m_pLangBtn);

    m_pLogo = new QLabel(this);
    m_pLogo->setObjectName(QStringLiteral("logo"));
    m_pLogo->setScaledContents(true);
    m_pLogo->setPixmap(QPixmap(ui().imagePath(QStringLiteral("/skin/mouselogo.png"))));
    tarnMarkDecorative(m_pLogo);

    for (int tab = TabCustomize; tab <= TabMacro; ++tab) {
        TarnPushButton *button = makeButton(kTabImages, "tab");
        button->setObjectName(QStringLiteral("tab%1").arg(tab));
        button->setKind(TarnPushButton::Kind::Tab);
        // A tab is chosen on the press already, and again on the click.
        connect(button, &TarnPushButton::EnterSignal, this, [this, tab](TarnPushButton *) { selectTab(tab); });
        connect(button, &QPushButton::clicked, this, [this, tab] { selectTab(tab); });
        m_aTabBtn[std::size_t(tab)] = button;
    }

    m_pMousePicture = new MousecfgMousePicture(m_Session, ui(), this);
    m_pModelCaption = new TarnLabel(readModelText(dirs()), this);
    m_pModelCaption->setObjectName(QStringLiteral("modelCaption"));
    m_pModelCaption->setAlignment(Qt::AlignCenter);
    m_pVersionLabel = new TarnLabel(this);
    m_pVersionLabel->setObjectName(QStringLiteral("versionLabel"));
    m_pVersionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Light text on the dark background.
    for (TarnLabel *label : {m_pModelCaption, m_pVersionLabel}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(200, 200, 200));
        label->setPalette(palette);
    }

    m_pStatus->buildWidgets();

    m_pResetBtn = makeButton(kTabImages, "resetAllButton");
    m_pLoadBtn = makeButton(kTabImages, "loadButton");
    m_pSaveBtn = makeButton(kTabImages, "saveButton");
    m_pApplyBtn = makeButton(kTabImages, "applyButton");
    m_pCommands = new MousecfgCommands(m_Session, m_Options.chooseConfigFile, this);
    connect(m_pResetBtn, &QPushButton::clicked, m_pCommands, &MousecfgCommands::resetAll);
    connect(m_pLoadBtn, &QPushButton::clicked, m_pCommands, &MousecfgCommands::loadConfigFile);
    connect(m_pSaveBtn, &QPushButton::clicked, m_pCommands, &MousecfgCommands::saveConfigFile);
    connect(m_pApplyBtn, &QPushButton::clicked, m_pCommands, &MousecfgCommands::apply);
    connect(m_pCommands, &MousecfgCommands::editsWanted, this, &MousecfgWidget::collectPageEdits);
    connect(m_pCommands, &MousecfgCommands::configurationImported, this, [this] {
        selectTab(TabLighting);
        reloadPanels();
    });
    connect(m_pCommands, &MousecfgCommands::profilesReset, this, &MousecfgWidget::reloadPanels);

    // The design rectangles; the layout routine places them again for each scale.
    m_Layout.place(m_pCloseBtn, 924, 33, 19, 19);
    m_Layout.place(m_pMinBtn, 903, 33, 19, 19);
    m_Layout.place(m_pLangBtn, 774, 33, 105, 20);
    m_Layout.place(m_pLogo, 69, 20, 200, 50);
    m_Layout.place(m_aTabBtn[TabCustomize], 69, 124, 154, 29);
    m_Layout.place(m_aTabBtn[TabDpi], 69, 158, 154, 29);
    m_Layout.place(m_aTabBtn[TabMacro], 69, 192, m_bMacroDisabled ? 0 : 154, m_bMacroDisabled ? 0 : 29);
    m_Layout.place(m_pMousePicture->label(), 637, 99, 300, 400);
    m_Layout.place(m_pModelCaption, 637, 515, 300, 20);
    m_Layout.place(m_pVersionLabel, 807, 594, 140, 20);
    m_pStatus->place(m_Layout);
    m_Layout.place(m_pResetBtn, 308, 588, 128, 30);
    m_Layout.place(m_pLoadBtn, 439, 588, 76, 30);
    m_Layout.place(m_pSaveBtn, 518, 588, 76, 30);
    m_Layout.place(m_pApplyBtn, 597, 588, 76, 30);
}

void MousecfgWidget::setKeyboardOrder()
{
    // Reading order: the tabs, the controls of the pages, the commands at the
    // bottom, then the title bar. The keyboard starts on the chosen tab, so an
    // early Space or Enter never lands on close.
    QList<QWidget *> order;
    for (int tab = TabCustomize; tab <= TabMacro; ++tab)
        order << m_aTabBtn[std::size_t(tab)];
    for (TarnPage *page : m_Pages) {
        for (QWidget *child : page->findChildren<QWidget *>()) {
            if (child->focusPolicy() & Qt::TabFocus)
                order << child;
        }
    }
    order << m_pResetBtn << m_pLoadBtn << m_pSaveBtn << m_pApplyBtn << m_pLangBtn << m_pMouseSelBtn << m_pMinBtn
          << m_pCloseBtn;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_aTabBtn[std::size_t(m_iCurrentTab)]->setFocus();
}

void MousecfgWidget::buildPages()
{
    auto add = [this](TarnPage *page, int tab, const QRect &design) {
        m_Layout.place(page, design);
        m_Pages.push_back(page);
        m_PageTabs.push_back(tab);
    };
    add(new TarnDPIWindow(m_Session, this), TabDpi, QRect(285, 90, 456, 460));
    auto *rate = new TarnReportRate(m_Session, this);
    rate->setLiftSource([this] { return m_iLift; });
    connect(rate, &TarnReportRate::RefreshLift, this, &MousecfgWidget::slotLiftChange);
    add(rate, TabDpi, QRect(746, 90, 229, 150));
    add(new TarnPointSpeed(m_Session, this), TabDpi, QRect(746, 245, 229, 306));
    auto *macro = new MacroDialog(m_Session, this);
    connect(macro, &MacroDialog::EnableButtonsSignal, this, &MousecfgWidget::slotEnableButtons);
    add(macro, TabMacro, QRect(285, 90, 665, 467));
    auto *lighting = new TarnColorWindow(m_Session, this);
    add(lighting, TabLighting, QRect(285, 90, 332, 442));
    // slotRefreshLightMode: the mouse's own effect button.
    connect(&m_Session, &MouseSession::effectReported, lighting, &TarnColorWindow::setEffect);
    auto *buttons = new TarnBtnWindow(m_Session, this);
    connect(buttons, &TarnBtnWindow::SelBtnControl, this, &MousecfgWidget::slotMouseOver);
    connect(buttons, &TarnBtnWindow::GotoMacroTab, this, &MousecfgWidget::slotGotoMacro);
    connect(buttons, &TarnBtnWindow::PopOneClickBox, this, &MousecfgWidget::slotPopOneClickBox);
    add(buttons, TabCustomize, QRect(285, 90, 332, 442));
}

void MousecfgWidget::retranslate()
{
    for (int tab = TabCustomize; tab <= TabMacro; ++tab)
        m_aTabBtn[std::size_t(tab)]->setText(tr(kTabTexts[tab]));
    m_pResetBtn->setText(tr("Reset All"));
    m_pLoadBtn->setText(tr("LOAD1"));
    m_pSaveBtn->setText(tr("SAVE"));
    m_pApplyBtn->setText(tr("Apply"));
    m_pVersionLabel->setText(tr("Version") + QStringLiteral(" : ") + m_strModelVersion);
    // Names for the controls that show only a picture, or a value rather than what they are.
    m_pCloseBtn->setAccessibleName(tr("Close"));
    m_pMinBtn->setAccessibleName(tr("Minimise"));
    m_pLangBtn->setAccessibleName(tr("Language"));
    m_pMouseSelBtn->setAccessibleName(tr("Mouse"));
    m_pStatus->retranslate();
    for (TarnPage *page : m_Pages)
        page->retranslate();
    if (m_pTray)
        m_pTray->retranslate();
}

void MousecfgWidget::setWindowTexts()
{
    retranslate();
    // A fresh status thread after the texts are rebuilt, started from a timer
    // so the window keeps painting meanwhile.
    m_Session.restartStatusThreadLater();
    layoutWidgets();
}

void MousecfgWidget::buildProfileMenu()
{
    if (!m_pProfileMenu) {
        m_pProfileMenu = new TarnMenu(this);
        m_pProfileMenu->setObjectName(QStringLiteral("profileMenu"));
    }
    m_pProfileMenu->clear();
    for (const QString &name : m_Session.profileList())
        m_pProfileMenu->addAction(new TarnAction(name, m_pProfileMenu));
    m_pProfileMenu->setFixedWidth(152);
}

void MousecfgWidget::layoutWidgets()
{
    QToolTip::setFont(ui().languageFont());
    m_Layout.apply();
    for (TarnPage *page : m_Pages)
        page->relayout();

    const auto buttons = findChildren<TarnPushButton *>(QString(), Qt::FindDirectChildrenOnly);
    for (TarnPushButton *button : buttons)
        button->refreshFont();
    m_pModelCaption->refreshFont();
    m_pVersionLabel->refreshFont();
    m_pStatus->refreshFont();
    m_pMouseSelector->relayout();
    m_pLanguage->relayout();
    // Every menu of the window, pages' included, in the language's font at this scale.
    const auto menus = findChildren<TarnMenu *>();
    for (TarnMenu *menu : menus) {
        menu->refreshStyle();
        for (QAction *action : menu->actions()) {
            if (auto *entry = qobject_cast<TarnAction *>(action))
                entry->refreshFont();
        }
    }

    m_pMousePicture->showFile(QStringLiteral("Mouse.png"));
}

void MousecfgWidget::scaleChanged()
{
    layoutWidgets();
}

void MousecfgWidget::reloadPanels()
{
    const ProfileData &profile = m_Session.workingConfig().activeProfile();
    for (TarnPage *page : m_Pages)
        page->load(profile);
}

void MousecfgWidget::collectPageEdits()
{
    ProfileData &profile = m_Session.currentProfile();
    for (const TarnPage *page : m_Pages)
        page->store(profile);
}

void MousecfgWidget::selectTab(int tab)
{
    if (tab < TabLighting || tab > TabMacro) {
        qDebug("no tab %d", tab);
        return;
    }
    m_iCurrentTab = tab;
    for (int i = TabCustomize; i <= TabMacro; ++i)
        m_aTabBtn[std::size_t(i)]->setSelected(i == tab);
    const bool picture = tab == TabLighting || tab == TabCustomize;
    m_pMousePicture->label()->setVisible(picture);
    m_pModelCaption->setVisible(picture);
    for (std::size_t i = 0; i < m_Pages.size(); ++i)
        m_Pages[i]->setVisible(m_PageTabs[i] == tab);
}

void MousecfgWidget::switchProfile(int slot, bool reload)
{
    if (!m_Session.switchProfile(slot, reload))
        return;
    reloadPanels();
}

// --- events ---

void MousecfgWidget::paintEvent(QPaintEvent *event)
{
    TarnSkinWindow::paintEvent(event);
    m_pStatus->paintFrame();
}

void MousecfgWidget::closeEvent(QCloseEvent *event)
{
    // The window lives on in the tray; only "&Quit" ends the program.
    event->ignore();
    hideToTray();
}

bool MousecfgWidget::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    if (m_pNotifier)
        m_pNotifier->handleNativeEvent(eventType, message);
    return TarnSkinWindow::nativeEvent(eventType, message, result);
}

void MousecfgWidget::hideToTray()
{
    const bool tray = m_Options.trayAvailable ? m_Options.trayAvailable() : QSystemTrayIcon::isSystemTrayAvailable();
    if (tray) {
        hide();
        return;
    }
    // Hiding without a tray would leave no way back to the window.
    if (!m_bNoTrayLogged)
        qDebug("no system tray; the window is minimised instead of hidden");
    m_bNoTrayLogged = true;
    showMinimized();
}

// --- slots ---

void MousecfgWidget::trayClicked()
{
    if (isHidden())
        slotWarning();
    else if (!m_bWarningOpen)
        hide();
}

void MousecfgWidget::slotGotoMacro(quint8 iBtn)
{
    selectTab(iBtn);
}

void MousecfgWidget::slotPopOneClickBox()
{
    TarnMessageBox box(TarnMessageBox::Warning, QString(), tr("Warning"),
                       tr("AT LEAST ONE CLICK FUNCTION TO BE RETAINED."), this);
    box.exec();
}

void MousecfgWidget::slotEnableButtons(bool bEnable)
{
    const auto buttons = findChildren<TarnPushButton *>(QString(), Qt::FindDirectChildrenOnly);
    for (TarnPushButton *button : buttons)
        button->setEnabled(bEnable);
    // The button rows too: their capture dialogs need the keyboard hook the recorder holds.
    if (auto *rows = findChild<TarnBtnWindow *>(QString(), Qt::FindDirectChildrenOnly))
        rows->setEnabled(bEnable);
}

void MousecfgWidget::slotLiftChange(quint8 iLift)
{
    m_iLift = iLift;
}

void MousecfgWidget::slotRefreshProfile(int iProfile)
{
    reloadPanels();
    buildProfileMenu();
    showOsd(tr("Profile") + QStringLiteral(" %1").arg(iProfile + 1));
}

void MousecfgWidget::slotRefreshDPIStage(int iDPI)
{
    // The DPI page follows the level itself, keeping its unapplied edits.
    const DpiLevel &level = m_Session.workingConfig().activeProfile().dpiLevels[std::size_t(iDPI % kDpiLevelCount)];
    showOsd(tr("DPI") + QStringLiteral(" %1:%2").arg(iDPI + 1).arg(dpiCodeToValue(int(level.y), readSensor(dirs()))));
}

void MousecfgWidget::slotRefreshRate(int iRate)
{
    // The report-rate page reloads itself from the working copy.
    switch (iRate) {
    case 8:
        showOsd(tr("125 HZ"));
        break;
    case 4:
        showOsd(tr("250 HZ"));
        break;
    case 2:
        showOsd(tr("500 HZ"));
        break;
    case 1:
        showOsd(tr("1000 HZ"));
        break;
    default:
        showOsd(QString());
        break;
    }
}

void MousecfgWidget::showOsd(const QString &text)
{
    if (m_Options.osd)
        m_Options.osd->showText(text);
}

bool MousecfgWidget::showPermissionProblem()
{
    const QString node = m_Session.permissionDeniedPath();
    if (node.isEmpty() || m_bPermissionShown)
        return false;
    m_bPermissionShown = true;
    TarnMessageBox box(TarnMessageBox::Warning, QString(), tr("Warning"),
                       tr("No permission to open the mouse (%1).\nInstall the udev rule 70-mousecfg.rules "
                          "(see the README), then plug the mouse in again.")
                           .arg(node),
                       this);
    box.setObjectName(QStringLiteral("permissionWarning"));
    box.exec();
    return true;
}

void MousecfgWidget::slotWarning()
{
    show();
    if (showPermissionProblem())
        return;
    if (mouseCount() != 0) {
        raise();
        activateWindow();
        return;
    }
    if (m_pWarningBox) {
        // "&Load Config" while the box is up: bring that one forward rather
        // than stacking a second one on it.
        m_pWarningBox->raise();
        m_pWarningBox->activateWindow();
        return;
    }
    m_bWarningOpen = true;
    QPointer<TarnMessageBox> box =
        new TarnMessageBox(TarnMessageBox::Disconnected, QString(), tr("Warning"), tr("Dongle Disconnect!"), this, true,
                           Qt::FramelessWindowHint, [this] { return m_bDeviceReady; });
    box->setObjectName(QStringLiteral("dongleWarning"));
    // Blocks this window only: the Virtual mouse of the demo, where the
    // receiver is plugged back, must stay usable while the box waits for it.
    box->setWindowModality(Qt::WindowModal);
    m_pWarningBox = box;
    const int result = box->exec();
    delete box;
    if (result == QDialog::Accepted) {
        // Without a tray a hidden window could never be brought back, and the
        // single-instance guard would keep the user from starting another.
        if (mouseCount() == 0)
            hideToTray();
        m_bWarningOpen = false;
    }
}

void MousecfgWidget::onDeviceLost()
{
    m_bDeviceReady = false;
    // The session has closed the link; the warning shows and waits for the mouse.
    m_bWarningOpen = true;
    QTimer::singleShot(200, this, &MousecfgWidget::slotWarning);
}

void MousecfgWidget::onMouseSwitched()
{
    m_iLift = m_Session.workingConfig().LiftHigh;
    layoutWidgets(); // the other mouse's picture
    buildProfileMenu();
    reloadPanels();
    m_pStatus->showConnectionIcons();
    showPermissionProblem();
}

void MousecfgWidget::slotWarnClose()
{
    if (m_Session.isSending()) {
        // The send owns the handles and both configurations until it ends.
        connect(&m_Session, &MouseSession::sendFinished, this, &MousecfgWidget::slotWarnClose, Qt::UniqueConnection);
        return;
    }
    disconnect(&m_Session, &MouseSession::sendFinished, this, &MousecfgWidget::slotWarnClose);
    // Whatever is still open goes first: a second status thread would take the
    // echoes a later exchange waits for, and old handles would leak.
    m_Session.reopenDevice();
    slotMouseOver(nullptr, false);
    layoutWidgets();
    m_Session.loadConfiguration();
    m_iLift = m_Session.workingConfig().LiftHigh;
    m_Session.loadProfileList();
    buildProfileMenu();
    m_Session.writeDefaultProfile();
    selectTab(TabLighting);
    reloadPanels();
    m_pStatus->showConnectionIcons();
    // Closes a waiting "Dongle Disconnect!" box, now that the window is ready again.
    m_bDeviceReady = m_Session.devicePresence() == DevicePresence::Present;
    showPermissionProblem();
}

void MousecfgWidget::slotRefreshWriteStatus(int iStatus)
{
    // The session has already marked a failed write for a full send.
    qDebug("write status %d", iStatus);
}

void MousecfgWidget::slotMouseOver(TarnPushButton *btn, bool bType)
{
    m_pMousePicture->showButton(btn, bType);
}
