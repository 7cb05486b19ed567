#include "MousecfgWidget.h"

#include "ConfigExchange.h"
#include "ConfigFile.h"
#include "DeviceLink.h"
#include "ModelDescription.h"
#include "MouseSession.h"
#include "MousecfgTray.h"
#include "OsdMessenger.h"
#include "ProfileModel.h"
#include "StatusThreadOwner.h"
#include "StoragePaths.h"
#include "TarnAccessible.h"
#include "TarnAction.h"
#include "TarnLabel.h"
#include "TarnMenu.h"
#include "TarnMessageBox.h"
#include "TarnPointSpeed.h"
#include "TarnProcessDialog.h"
#include "TarnProcessbar.h"
#include "TarnPushButton.h"
#include "TarnTheme.h"
#include "TarnUi.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QToolTip>
#include <QTranslator>

namespace {
const QStringList kTabImages = {QStringLiteral("/skin/tabbutton-1.png"), QStringLiteral("/skin/tabbutton-3.png"),
                                QStringLiteral("/skin/tabbutton-2.png")};

// Texts of the tab buttons, by tab index; tab 0 has no button.
const char *const kTabTexts[4] = {nullptr, QT_TR_NOOP("CUSTOMIZE"), QT_TR_NOOP("DPI"), QT_TR_NOOP("MACRO")};
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
    m_BatteryImage1.load(ui.imagePath(QStringLiteral("/skin/bat1.png")));
    m_BatteryImage2.load(ui.imagePath(QStringLiteral("/skin/bat2.png")));

    m_pMouseSelBtn = new TarnPushButton(kTabImages, QString(), this);
    m_pMouseSelBtn->setObjectName(QStringLiteral("mouseSelector"));
    m_pMouseSelBtn->setKind(TarnPushButton::Kind::MenuButton);
    m_Layout.place(m_pMouseSelBtn, 670, 33, 100, 20);

    m_Session.findDevices();
    buildMouseMenu();

    m_pTranslator = new QTranslator(this);
    LanguageList languages;
    readLanguageList(dirs(), languages);
    m_iLangCount = std::max(0, std::min(languages.count, kMaxLanguages));
    if (m_iLangCount != languages.count)
        qWarning("FONT_LIST/LANGNUM %d is outside 0..%d", languages.count, kMaxLanguages);
    for (const LanguageEntry &entry : languages.entries) {
        m_LangNames.append(entry.name);
        m_LangFiles.append(entry.file);
    }

    buildWidgets();
    loadTranslation(ui.langId());

    m_Session.loadProfileList();
    m_Session.readBatteryFull();
    m_Session.openDevice();

    connect(&m_Session, &MouseSession::batteryReported, this, &MousecfgWidget::slotRefreshBatteryStatus);
    connect(&m_Session, &MouseSession::profileReported, this, &MousecfgWidget::slotRefreshProfile);
    connect(&m_Session, &MouseSession::dpiLevelReported, this, &MousecfgWidget::slotRefreshDPIStage);
    connect(&m_Session, &MouseSession::rateReported, this, &MousecfgWidget::slotRefreshRate);
    connect(&m_Session, &MouseSession::writeStatusReported, this, &MousecfgWidget::slotRefreshWriteStatus);
    m_Session.startStatusThread();

    m_Session.loadConfiguration();
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
    showConnectionIcons();
    setKeyboardOrder();

    QTimer::singleShot(200, this, &MousecfgWidget::slotWarning);
}

MousecfgWidget::~MousecfgWidget()
{
    // The status thread must be gone before the handles close; the session
    // does both in that order.
    m_Session.shutdown();
}

const StorageDirs &MousecfgWidget::dirs() const
{
    return m_Session.dirs();
}

QString MousecfgWidget::currentProductName() const
{
    return m_Session.currentProductName();
}

int MousecfgWidget::mouseCount() const
{
    return m_Session.mouseCount();
}

const AppConfig &MousecfgWidget::savedConfig() const
{
    return m_Session.savedConfig();
}

const AppConfig &MousecfgWidget::workingConfig() const
{
    return m_Session.workingConfig();
}

const QStringList &MousecfgWidget::profileList() const
{
    return m_Session.profileList();
}

const QStringList &MousecfgWidget::mouseNames() const
{
    return m_Session.mouseNames();
}

DeviceLink &MousecfgWidget::deviceLink() const
{
    return m_Session.link();
}

StatusThreadOwner &MousecfgWidget::statusThreads() const
{
    return m_Session.statusThreads();
}

QMenu *MousecfgWidget::profileMenu() const
{
    return m_pProfileMenu;
}

void MousecfgWidget::buildMouseMenu()
{
    const MouseChoice choice = m_Session.buildMouseList();
    if (!m_pMouseMenu) {
        m_pMouseMenu = new TarnMenu(this);
        m_pMouseMenu->setObjectName(QStringLiteral("mouseMenu"));
        connect(m_pMouseMenu, &QMenu::triggered, this, &MousecfgWidget::slot_show_mousename);
        m_pMouseSelBtn->setMenu(m_pMouseMenu);
    }
    m_pMouseMenu->clear();
    for (const QString &name : m_Session.mouseNames()) {
        auto *action = new TarnAction(name, m_pMouseMenu);
        action->setCheckable(true);
        action->setChecked(name == choice.current);
        m_pMouseMenu->addAction(action);
    }
    m_pMouseMenu->setFixedWidth(ui().scaled(150));
    ui().applyMenuStyle(m_pMouseMenu);
    m_pMouseSelBtn->setText(choice.current);
    m_pMouseSelBtn->setVisible(choice.selectorVisible);
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
    buildLanguageMenu();

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

    m_pMousePicture = new QLabel(this);
    m_pMousePicture->setObjectName(QStringLiteral("mousePicture"));
    m_pMousePicture->setAlignment(Qt::AlignCenter);
    tarnMarkDecorative(m_pMousePicture);
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

    m_pBatteryBar = new TarnProcessbar(this);
    m_pBatteryBar->setObjectName(QStringLiteral("batteryBar"));
    m_pBatteryBar->setRange(0, 100);
    m_pBatteryBar->setValue(std::max(0, std::min(readBattery(dirs()), 100)));
    m_pChargeIcon = new QLabel(this);
    m_pChargeIcon->setObjectName(QStringLiteral("chargeIcon"));
    m_pChargeIcon->setScaledContents(true);
    m_pChargeIcon->setPixmap(QPixmap(ui().imagePath(QStringLiteral("/skin/lightning.png"))));
    m_pChargeIcon->hide();
    tarnMarkDecorative(m_pChargeIcon); // the battery bar's name says the same
    m_pReceiverIcon = new QLabel(this);
    m_pReceiverIcon->setObjectName(QStringLiteral("receiverIcon"));
    m_pReceiverIcon->setScaledContents(true);
    m_pReceiverIcon->setPixmap(QPixmap(ui().imagePath(QStringLiteral("/skin/dongle.png"))));

    m_pResetBtn = makeButton(kTabImages, "resetAllButton");
    m_pLoadBtn = makeButton(kTabImages, "loadButton");
    m_pSaveBtn = makeButton(kTabImages, "saveButton");
    m_pApplyBtn = makeButton(kTabImages, "applyButton");
    connect(m_pResetBtn, &QPushButton::clicked, this, &MousecfgWidget::resetAll);
    connect(m_pLoadBtn, &QPushButton::clicked, this, &MousecfgWidget::loadConfigFile);
    connect(m_pSaveBtn, &QPushButton::clicked, this, &MousecfgWidget::saveConfigFile);
    connect(m_pApplyBtn, &QPushButton::clicked, this, &MousecfgWidget::apply);

    // The design rectangles; the layout routine places them again for each scale.
    m_Layout.place(m_pCloseBtn, 924, 33, 19, 19);
    m_Layout.place(m_pMinBtn, 903, 33, 19, 19);
    m_Layout.place(m_pLangBtn, 774, 33, 105, 20);
    m_Layout.place(m_pLogo, 69, 20, 200, 50);
    m_Layout.place(m_aTabBtn[TabCustomize], 69, 124, 154, 29);
    m_Layout.place(m_aTabBtn[TabDpi], 69, 158, 154, 29);
    m_Layout.place(m_aTabBtn[TabMacro], 69, 192, m_bMacroDisabled ? 0 : 154, m_bMacroDisabled ? 0 : 29);
    m_Layout.place(m_pMousePicture, 637, 99, 300, 400);
    m_Layout.place(m_pModelCaption, 637, 515, 300, 20);
    m_Layout.place(m_pVersionLabel, 807, 594, 140, 20);
    m_Layout.place(m_pBatteryBar, 75, 587, 71, 34);
    m_Layout.place(m_pChargeIcon, 174, 584, 26, 40);
    m_Layout.place(m_pReceiverIcon, 174, 581, 48, 48);
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
    add(new TarnPointSpeed(m_Session, this), TabDpi, QRect(746, 245, 229, 306));
}

void MousecfgWidget::buildLanguageMenu()
{
    m_pLangMenu = new TarnMenu(this);
    m_pLangMenu->setObjectName(QStringLiteral("languageMenu"));
    for (int i = 0; i < m_iLangCount; ++i) {
        auto *action = new TarnAction(m_LangNames.value(i), m_pLangMenu);
        action->setData(i);
        m_pLangMenu->addAction(action);
    }
    m_pLangMenu->setFixedWidth(ui().scaled(105));
    ui().applyMenuStyle(m_pLangMenu);
    connect(m_pLangMenu, &QMenu::triggered, this, &MousecfgWidget::onLanguageChosen);
    m_pLangBtn->setMenu(m_pLangMenu);
    m_pLangBtn->setText(m_LangNames.value(ui().langId()));
}

bool MousecfgWidget::loadTranslation(int lang)
{
    const QString file = m_LangFiles.value(lang);
    if (!isSafeFileName(file)) {
        qDebug("no usable translation file for language %d", lang);
        return false;
    }
    if (!m_pTranslator->load(dirs().appDir + QStringLiteral("/lang/") + file + QStringLiteral(".qm"))) {
        qDebug("translation %s.qm not loaded; texts unchanged", qPrintable(file));
        return false;
    }
    QCoreApplication::installTranslator(m_pTranslator);
    return true;
}

void MousecfgWidget::onLanguageChosen(QAction *action)
{
    const int lang = action->data().toInt();
    if (lang < 0 || lang >= m_iLangCount)
        return;
    ui().setLangId(lang);
    const bool loaded = loadTranslation(lang);
    m_pLangBtn->setText(m_LangNames.value(lang));
    writeLangId(dirs(), lang);
    if (loaded)
        setWindowTexts();
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
    m_pBatteryBar->setAccessibleName(tr("Battery"));
    m_pReceiverIcon->setAccessibleName(tr("Receiver connected"));
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
    m_pBatteryBar->refreshFont();
    if (m_pMouseMenu)
        m_pMouseMenu->setFixedWidth(ui().scaled(150));
    if (m_pLangMenu)
        m_pLangMenu->setFixedWidth(ui().scaled(105));

    showMousePicture(QStringLiteral("Mouse.png"));
}

void MousecfgWidget::scaleChanged()
{
    layoutWidgets();
}

void MousecfgWidget::showMousePicture(const QString &file)
{
    // The product name comes from a file: it must name a folder, not a path.
    const QString product = currentProductName();
    if (product.isEmpty() || !isSafeFileName(product))
        return;
    QPixmap picture;
    if (!picture.load(dirs().appDir + QStringLiteral("/skin/mouse/") + product + QLatin1Char('/') + file))
        return; // a missing picture leaves the label as it is
    m_pMousePicture->setPixmap(
        picture.scaled(QSize(ui().scaled(300), ui().scaled(400)), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void MousecfgWidget::showConnectionIcons()
{
    m_ConnectionMode = m_Session.connectionMode();
    m_pChargeIcon->hide();
    m_pReceiverIcon->setVisible(receiverIconShown(m_ConnectionMode));
    m_pBatteryBar->setVisible(batteryBarShown(m_ConnectionMode));
    update();
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
    m_pMousePicture->setVisible(picture);
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
    const QPixmap &frame = cablePresent(m_ConnectionMode) ? m_BatteryImage2 : m_BatteryImage1;
    if (frame.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(ui().scaledRect(69, 581, 86, 47), frame);
}

void MousecfgWidget::closeEvent(QCloseEvent *event)
{
    // The window lives on in the tray; only "&Quit" ends the program.
    event->ignore();
    hideToTray();
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

void MousecfgWidget::slot_show_mousename(QAction *action)
{
    const QString name = action->text();
    if (!m_Session.chooseMouse(name))
        return;
    m_pMouseSelBtn->setText(name);
    const auto actions = m_pMouseMenu->actions();
    for (QAction *entry : actions)
        entry->setChecked(entry == action);
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
    reloadPanels();
    const DpiLevel &level = m_Session.workingConfig().activeProfile().dpiLevels[std::size_t(iDPI % kDpiLevelCount)];
    showOsd(tr("DPI") + QStringLiteral(" %1:%2").arg(iDPI + 1).arg(dpiCodeToValue(int(level.y), readSensor(dirs()))));
}

void MousecfgWidget::slotRefreshRate(int iRate)
{
    reloadPanels();
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

void MousecfgWidget::slotWarning()
{
    show();
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
    QPointer<TarnMessageBox> box = new TarnMessageBox(
        TarnMessageBox::Disconnected, QString(), tr("Warning"), tr("Dongle Disconnect!"), this, true,
        Qt::FramelessWindowHint, [this] { return m_Session.devicePresence() == DevicePresence::Present; });
    box->setObjectName(QStringLiteral("dongleWarning"));
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

void MousecfgWidget::deviceLost()
{
    m_Session.closeDevice();
    m_bWarningOpen = true;
    QTimer::singleShot(200, this, &MousecfgWidget::slotWarning);
}

void MousecfgWidget::deviceReturned()
{
    const bool wasCounted = mouseCount() != 0;
    buildMouseMenu();
    if (!wasCounted)
        QTimer::singleShot(200, this, &MousecfgWidget::slotWarnClose);
}

void MousecfgWidget::slotWarnClose()
{
    // Whatever is still open goes first: a second status thread would take the
    // echoes a later exchange waits for, and old handles would leak.
    m_Session.closeDevice();
    m_Session.openDevice();
    m_Session.startStatusThread();
    slotMouseOver(nullptr, false);
    layoutWidgets();
    m_Session.loadConfiguration();
    m_iLift = m_Session.workingConfig().LiftHigh;
    m_Session.loadProfileList();
    buildProfileMenu();
    m_Session.writeDefaultProfile();
    selectTab(TabLighting);
    reloadPanels();
    showConnectionIcons();
}

void MousecfgWidget::slotRefreshBatteryStatus(const BatteryReading &reading, int level)
{
    int fontPx = ui().scaled(16);
    if (reading.mouseOff()) {
        // The text is wider than the bar in some languages: shrink it to fit.
        const QString off = tr("MOUSE OFF");
        QFont font = m_pBatteryBar->font();
        font.setBold(true);
        for (; fontPx > 6; --fontPx) {
            font.setPixelSize(fontPx);
            if (QFontMetrics(font).horizontalAdvance(off) <= m_pBatteryBar->width() - ui().scaled(4))
                break;
        }
        m_pBatteryBar->setFormat(off);
        m_pBatteryBar->setTextVisible(true);
        m_pBatteryBar->setStyleSheet(
            QStringLiteral("QProgressBar{background-color:rgb(100,100,100);border:none;border-radius:2px;"
                           "text-align:center;font-weight:bold;color:white;font-size:%1px;}"
                           "QProgressBar::chunk{background-color:rgb(100,100,100);border-radius:2px;}")
                .arg(fontPx));
        m_pChargeIcon->hide();
        return;
    }
    const bool cable = cablePresent(m_Session.connectionMode());
    const QColor theme = ui().themeColor();
    m_pBatteryBar->setTextVisible(true);
    m_pBatteryBar->setFormat(cable ? QString() : QStringLiteral("%p%"));
    m_pBatteryBar->setStyleSheet(
        QStringLiteral("QProgressBar{background-color:white;border:none;border-radius:2px;text-align:center;"
                       "font-weight:bold;color:black;font-size:%1px;}"
                       "QProgressBar::chunk{background-color:rgb(%2,%3,%4);border-radius:2px;}")
            .arg(fontPx)
            .arg(theme.red())
            .arg(theme.green())
            .arg(theme.blue()));
    m_pChargeIcon->setVisible(reading.charging());
    m_pBatteryBar->setValue(cable ? 100 : level);
}

void MousecfgWidget::slotRefreshWriteStatus(int iStatus)
{
    // The session has already marked a failed write for a full send.
    qDebug("write status %d", iStatus);
}

// --- the bottom commands ---

void MousecfgWidget::apply()
{
    collectPageEdits();
    runSend(false);
}

void MousecfgWidget::runSend(bool sendAll)
{
    if (m_Session.isSending())
        return;
    TarnProcessDialog dialog;
    dialog.centerOn(this);
    // Connected before the worker starts, so a send with nothing to do cannot
    // end before the dialog hears of it.
    connect(&m_Session, &MouseSession::sendFinished, &dialog, &TarnProcessDialog::slotProcessDlg);
    if (!m_Session.startSend(sendAll))
        return;
    dialog.exec();
    const DeviceResult result = m_Session.lastOutcome().result;
    if (result == kResultOk)
        return;
    const QString text =
        result == kResultAsleep ? tr("Mouse is sleeping or not connected.") : tr("Send data failed, please try again.");
    TarnMessageBox box(TarnMessageBox::Question, QString(), tr("Warning"), text, this);
    box.setObjectName(QStringLiteral("sendResultBox"));
    box.exec();
}

QString MousecfgWidget::chooseConfigFile(bool save)
{
    if (m_Options.chooseConfigFile)
        return m_Options.chooseConfigFile(this, save);
    if (save)
        return QFileDialog::getSaveFileName(this, tr("Save Config File"), QString(), tr("Config File(*.conf)"));
    return QFileDialog::getOpenFileName(this, tr("Load Config File"), QString(), tr("Config File(*.conf)"));
}

void MousecfgWidget::saveConfigFile()
{
    QString file = chooseConfigFile(true);
    if (file.isEmpty())
        return;
    // Not every file dialog adds the extension, and LOAD1 lists only .conf files.
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".conf");
    // What the pages show is what the file gets.
    collectPageEdits();
    if (!m_Session.exportConfiguration(file))
        qWarning("SAVE: %s could not be written", qPrintable(file));
}

void MousecfgWidget::loadConfigFile()
{
    const QString file = chooseConfigFile(false);
    if (file.isEmpty())
        return;
    switch (m_Session.importConfiguration(file)) {
    case ImportStatus::WrongProduct: {
        TarnMessageBox box(TarnMessageBox::Warning, QString(), tr("Warning"),
                           tr("The file is not match current mouse!"), this);
        box.setObjectName(QStringLiteral("wrongProductBox"));
        box.exec();
        return;
    }
    case ImportStatus::Unreadable:
        qWarning("LOAD1: %s is not a configuration file that can be read", qPrintable(file));
        return;
    case ImportStatus::Imported:
        break;
    }
    selectTab(TabLighting);
    reloadPanels();
    runSend(false);
}

void MousecfgWidget::resetAll()
{
    TarnMessageBox question(TarnMessageBox::Question, QString(), tr("Warning"),
                            tr("Are you sure you want reset all profiles?"), this);
    question.setObjectName(QStringLiteral("resetQuestion"));
    if (question.exec() != QDialog::Accepted)
        return;
    m_Session.resetAll();
    reloadPanels();
    runSend(true);
}

void MousecfgWidget::slotMouseOver(TarnPushButton *btn, bool bType)
{
    if (!bType || !btn) {
        showMousePicture(QStringLiteral("Mouse.png"));
        return;
    }
    // The button panel numbers its rows on the buttons it shows.
    bool ok = false;
    const int row = btn->property("buttonRow").toInt(&ok);
    if (!ok || row < 0 || row >= int(ButtonPositions().size()))
        return;
    showMousePicture(QStringLiteral("mouse_%1.png").arg(row + 1));
}
