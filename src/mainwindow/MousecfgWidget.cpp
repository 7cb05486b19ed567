#include "MousecfgWidget.h"

#include "ConfigFile.h"
#include "DeviceLink.h"
#include "MouseList.h"
#include "ProfileFile.h"
#include "StatusThreadOwner.h"
#include "StoragePaths.h"
#include "TarnAction.h"
#include "TarnLabel.h"
#include "TarnMenu.h"
#include "TarnMessageBox.h"
#include "TarnProcessbar.h"
#include "TarnPushButton.h"
#include "TarnTheme.h"
#include "TarnUi.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <QTranslator>

#include <cmath>

namespace {
const QStringList kTabImages = {QStringLiteral("/skin/tabbutton-1.png"), QStringLiteral("/skin/tabbutton-3.png"),
                                QStringLiteral("/skin/tabbutton-2.png")};

// Texts of the tab buttons, by tab index; tab 0 has no button.
const char *const kTabTexts[4] = {nullptr, QT_TR_NOOP("CUSTOMIZE"), QT_TR_NOOP("DPI"), QT_TR_NOOP("MACRO")};
} // namespace

MousecfgWidget::MousecfgWidget(const MousecfgOptions &options, QWidget *parent)
    : QWidget(parent)
    , m_Options(options)
    , m_Dirs(
          StorageDirs::fromAppDir(options.appDir.isEmpty() ? QCoreApplication::applicationDirPath() : options.appDir))
    , m_ProfileBook(m_Dirs)
{
    setObjectName(QStringLiteral("MousecfgWidget"));
    m_strModelVersion = readModelVersion(m_Dirs);
    m_bMacroDisabled = readDisableMacro(m_Dirs) != 0;

    m_aBackground[0].load(m_Dirs.appDir + QStringLiteral("/skin/cfgMainback.png"));
    m_BatteryImage1.load(m_Dirs.appDir + QStringLiteral("/skin/bat1.png"));
    m_BatteryImage2.load(m_Dirs.appDir + QStringLiteral("/skin/bat2.png"));

    const QScreen *screen = QGuiApplication::primaryScreen();
    m_iDpiVal = scaleStepForRatio(logicalDpiOf(screen) / 96.0);
    m_pUi = std::make_unique<TarnUi>(m_Dirs, scaleOfStep(m_iDpiVal));

    setBaseSize(kDesignWidth, kDesignHeight);
    setMinimumSize(kDesignWidth, kDesignHeight);
    m_iLastWidth = scaled(kDesignWidth);
    m_iLastHeight = scaled(kDesignHeight);
    m_iLastDpiVal = m_iDpiVal;
    resize(m_iLastWidth, m_iLastHeight);
    if (screen) {
        const QRect full = screen->geometry();
        move(full.x() + (full.width() - m_iLastWidth) / 2, full.y() + (full.height() - m_iLastHeight) / 2);
    }
    applyWindowMask();

    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);

    m_pMouseSelBtn = new TarnPushButton(kTabImages, QString(), this);
    m_pMouseSelBtn->setObjectName(QStringLiteral("mouseSelector"));
    m_pMouseSelBtn->setGeometry(scaledRect(670, 33, 100, 20));

    m_pLink = std::make_unique<DeviceLink>(m_Dirs, m_Options.clock);
    m_pLink->LoadDeviceTable();
    if (m_pLink->EnumerateDevices() != 0)
        qDebug("hid_init failed; no mouse can be found");
    buildMouseList();

    m_pTranslator = new QTranslator(this);
    LanguageList languages;
    readLanguageList(m_Dirs, languages);
    m_iLangCount = std::max(0, std::min(languages.count, kMaxLanguages));
    if (m_iLangCount != languages.count)
        qWarning("FONT_LIST/LANGNUM %d is outside 0..%d", languages.count, kMaxLanguages);
    for (const LanguageEntry &entry : languages.entries) {
        m_LangNames.append(entry.name);
        m_LangFiles.append(entry.file);
    }

    buildWidgets();
    loadTranslation(m_pUi->langId());

    m_ProfileBook.loadList(m_strCurrentProduct);
    m_iBatteryFull = readBatteryFull(m_Dirs);

    const QByteArray current = m_strCurrentProduct.toLatin1();
    m_pLink->OpenDevice(current.constData());
    m_iDevicePresent = m_pLink->hasCommandHandle() ? 1 : 0;

    m_pStatus = std::make_unique<StatusThreadOwner>(*m_pLink);
    connect(m_pStatus.get(), &StatusThreadOwner::RefreshBatteryStatus, this, &MousecfgWidget::slotRefreshBatteryStatus);
    connect(m_pStatus.get(), &StatusThreadOwner::RefreshStatus, this, &MousecfgWidget::slotRefreshStatus);
    connect(m_pStatus.get(), &StatusThreadOwner::RefreshWriteStatus, this, &MousecfgWidget::slotRefreshWriteStatus);
    m_pStatus->StartStatusThread();

    loadSavedConfig(m_Dirs, m_SavedConfig, m_ButtonPositions);
    m_WorkingConfig = m_SavedConfig;
    m_iLift = m_WorkingConfig.LiftHigh;

    buildProfileMenu();

    selectTab(TabCustomize);
    reloadPanels();
    setWindowTexts();

    writeDefaultProfileFile(m_Dirs);

    setStyleSheet(QStringLiteral("*{outline:0px;}"));
    setWindowIcon(QIcon(m_Dirs.appDir + QStringLiteral("/skin/icon.ico")));
    buildTray();
    slotRefreshBatteryStatus(0, 1, 1);
    showConnectionIcons();

    QTimer::singleShot(200, this, &MousecfgWidget::slotWarning);
}

MousecfgWidget::~MousecfgWidget()
{
    // The status thread polls through the handles: it must be gone before they close.
    m_pStatus->StopStatusThread();
    m_pLink->CloseDevice();
    m_pLink->ExitHid();
}

double MousecfgWidget::displayScale() const
{
    return m_pUi->scale();
}

// The window's scale is the one TarnUi publishes to every widget.
int MousecfgWidget::scaled(int design) const
{
    return m_pUi->scaled(design);
}

QRect MousecfgWidget::scaledRect(int x, int y, int w, int h) const
{
    return m_pUi->scaledRect(x, y, w, h);
}

QMenu *MousecfgWidget::profileMenu() const
{
    return m_pProfileMenu;
}

double MousecfgWidget::logicalDpiOf(const QScreen *screen) const
{
    if (m_Options.logicalDpi)
        return m_Options.logicalDpi(screen);
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

const QPixmap &MousecfgWidget::backgroundFor(int step, const QSize &size)
{
    QPixmap &entry = m_aBackground[std::size_t(std::max(0, std::min(step, kScaleSteps - 1)))];
    if (entry.isNull() && !m_aBackground[0].isNull())
        entry = m_aBackground[0].scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return entry;
}

void MousecfgWidget::applyWindowMask()
{
    const QPixmap &background = backgroundFor(m_iDpiVal, QSize(m_iLastWidth, m_iLastHeight));
    if (background.isNull()) {
        qDebug("no window background; the window stays rectangular");
        return;
    }
    // The opaque part of the background is the window's outline.
    QBitmap mask = background.mask();
    if (mask.size() != QSize(m_iLastWidth, m_iLastHeight))
        mask = QBitmap(mask.scaled(m_iLastWidth, m_iLastHeight));
    if (!mask.isNull())
        setMask(mask);
}

void MousecfgWidget::buildMouseList()
{
    m_MouseNames = usableMouseNames(m_pLink->deviceTable());
    const QString stored = readCurrentProductName(m_Dirs);
    const MouseChoice choice = chooseCurrentMouse(m_MouseNames, stored);
    if (choice.storeCurrent)
        writeCurrentProductName(m_Dirs, choice.current);
    if (m_MouseNames.size() == 1)
        qDebug("RefreshMouseList %s", qPrintable(choice.current));
    m_strCurrentProduct = choice.storeCurrent ? choice.current : stored;
    m_iMouseCount = m_MouseNames.size();

    if (!m_pMouseMenu) {
        m_pMouseMenu = new TarnMenu(this);
        m_pMouseMenu->setObjectName(QStringLiteral("mouseMenu"));
        connect(m_pMouseMenu, &QMenu::triggered, this, &MousecfgWidget::slot_show_mousename);
        m_pMouseSelBtn->setMenu(m_pMouseMenu);
    }
    m_pMouseMenu->clear();
    for (const QString &name : m_MouseNames) {
        auto *action = new TarnAction(name, m_pMouseMenu);
        action->setCheckable(true);
        action->setChecked(name == choice.current);
        m_pMouseMenu->addAction(action);
    }
    m_pMouseMenu->setFixedWidth(scaled(150));
    m_pUi->applyMenuStyle(m_pMouseMenu);
    m_pMouseSelBtn->setText(choice.current);
    m_pMouseSelBtn->setVisible(choice.selectorVisible);
}

void MousecfgWidget::buildWidgets()
{
    auto makeButton = [this](const QStringList &images, const char *name) {
        auto *button = new TarnPushButton(images, QString(), this);
        button->setObjectName(QLatin1String(name));
        connect(button, &QPushButton::clicked, this, &MousecfgWidget::onButtonClicked);
        return button;
    };
    m_pCloseBtn = makeButton(
        {QStringLiteral("/skin/close-1.png"), QStringLiteral("/skin/close-2.png"), QStringLiteral("/skin/close-3.png")},
        "closeButton");
    m_pMinBtn = makeButton(
        {QStringLiteral("/skin/min-1.png"), QStringLiteral("/skin/min-2.png"), QStringLiteral("/skin/min-3.png")},
        "minimizeButton");
    m_pLangBtn = new TarnPushButton(
        {QStringLiteral("/skin/lang.png"), QStringLiteral("/skin/lang.png"), QStringLiteral("/skin/lang.png")},
        QString(), this);
    m_pLangBtn->setObjectName(QStringLiteral("languageButton"));
    buildLanguageMenu();

    m_pLogo = new QLabel(this);
    m_pLogo->setObjectName(QStringLiteral("logo"));
    m_pLogo->setScaledContents(true);
    m_pLogo->setPixmap(QPixmap(m_Dirs.appDir + QStringLiteral("/skin/mouselogo.png")));

    for (int tab = TabCustomize; tab <= TabMacro; ++tab) {
        m_aTabBtn[std::size_t(tab)] = makeButton(kTabImages, "tab");
        m_aTabBtn[std::size_t(tab)]->setObjectName(QStringLiteral("tab%1").arg(tab));
        connect(m_aTabBtn[std::size_t(tab)], &TarnPushButton::EnterSignal, this,
                [this, tab](TarnPushButton *) { selectTab(tab); });
    }

    m_pMousePicture = new QLabel(this);
    m_pMousePicture->setObjectName(QStringLiteral("mousePicture"));
    m_pMousePicture->setAlignment(Qt::AlignCenter);
    m_pModelCaption = new TarnLabel(readModelText(m_Dirs), this);
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
    m_pBatteryBar->setValue(std::max(0, std::min(readBattery(m_Dirs), 100)));
    m_pChargeIcon = new QLabel(this);
    m_pChargeIcon->setObjectName(QStringLiteral("chargeIcon"));
    m_pChargeIcon->setScaledContents(true);
    m_pChargeIcon->setPixmap(QPixmap(m_Dirs.appDir + QStringLiteral("/skin/lightning.png")));
    m_pChargeIcon->hide();
    m_pReceiverIcon = new QLabel(this);
    m_pReceiverIcon->setObjectName(QStringLiteral("receiverIcon"));
    m_pReceiverIcon->setScaledContents(true);
    m_pReceiverIcon->setPixmap(QPixmap(m_Dirs.appDir + QStringLiteral("/skin/dongle.png")));

    m_pResetBtn = makeButton(kTabImages, "resetAllButton");
    m_pLoadBtn = makeButton(kTabImages, "loadButton");
    m_pSaveBtn = makeButton(kTabImages, "saveButton");
    m_pApplyBtn = makeButton(kTabImages, "applyButton");

    // Placed, with the mouse picture, by the layout run once the texts are set.
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
    m_pLangMenu->setFixedWidth(scaled(105));
    m_pUi->applyMenuStyle(m_pLangMenu);
    connect(m_pLangMenu, &QMenu::triggered, this, &MousecfgWidget::onLanguageChosen);
    m_pLangBtn->setMenu(m_pLangMenu);
    m_pLangBtn->setText(m_LangNames.value(m_pUi->langId()));
}

bool MousecfgWidget::loadTranslation(int lang)
{
    const QString file = m_LangFiles.value(lang);
    if (!isSafeFileName(file)) {
        qDebug("no usable translation file for language %d", lang);
        return false;
    }
    if (!m_pTranslator->load(m_Dirs.appDir + QStringLiteral("/lang/") + file + QStringLiteral(".qm"))) {
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
    m_pUi->setLangId(lang);
    const bool loaded = loadTranslation(lang);
    m_pLangBtn->setText(m_LangNames.value(lang));
    writeLangId(m_Dirs, lang);
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
}

void MousecfgWidget::setWindowTexts()
{
    retranslate();
    // A fresh status thread after the texts are rebuilt. The old one is only
    // asked to stop: it ends within the pause (its reads last at most 450 ms),
    // so starting the new one rarely has to wait for it.
    m_pStatus->RequestStop();
    pause(500);
    m_pStatus->StartStatusThread();
    layoutWidgets();
}

void MousecfgWidget::pause(int ms)
{
    m_pLink->clock().pause(ms);
}

void MousecfgWidget::buildProfileMenu()
{
    if (!m_pProfileMenu) {
        m_pProfileMenu = new TarnMenu(this);
        m_pProfileMenu->setObjectName(QStringLiteral("profileMenu"));
    }
    m_pProfileMenu->clear();
    for (const QString &name : m_ProfileBook.list())
        m_pProfileMenu->addAction(new TarnAction(name, m_pProfileMenu));
    m_pProfileMenu->setFixedWidth(152);
}

void MousecfgWidget::buildTray()
{
    m_pTrayMenu = new TarnMenu(this);
    m_pTrayMenu->setObjectName(QStringLiteral("trayMenu"));
    m_pLoadConfigAction = new TarnAction(tr("&Load Config"), m_pTrayMenu);
    m_pQuitAction = new TarnAction(tr("&Quit"), m_pTrayMenu);
    connect(m_pLoadConfigAction, &QAction::triggered, this, &MousecfgWidget::slotWarning);
    connect(m_pQuitAction, &QAction::triggered, qApp, &QCoreApplication::quit);
    m_pTrayMenu->addAction(m_pLoadConfigAction);
    m_pTrayMenu->addAction(m_pQuitAction);

    m_pTrayIcon = new QSystemTrayIcon(windowIcon(), this);
    m_pTrayIcon->setObjectName(QStringLiteral("trayIcon"));
    m_pTrayIcon->setContextMenu(m_pTrayMenu);
    m_pTrayIcon->setToolTip(m_strCurrentProduct);
    connect(m_pTrayIcon, &QSystemTrayIcon::activated, this, &MousecfgWidget::iconActivated);
    m_pTrayIcon->show();
}

void MousecfgWidget::layoutWidgets()
{
    QToolTip::setFont(m_pUi->languageFont());
    m_pCloseBtn->setGeometry(scaledRect(924, 33, 19, 19));
    m_pMinBtn->setGeometry(scaledRect(903, 33, 19, 19));
    m_pMouseSelBtn->setGeometry(scaledRect(670, 33, 100, 20));
    m_pLangBtn->setGeometry(scaledRect(774, 33, 105, 20));
    m_pLogo->setGeometry(scaledRect(69, 20, 200, 50));
    m_aTabBtn[TabCustomize]->setGeometry(scaledRect(69, 124, 154, 29));
    m_aTabBtn[TabDpi]->setGeometry(scaledRect(69, 158, 154, 29));
    if (m_bMacroDisabled)
        m_aTabBtn[TabMacro]->setGeometry(scaled(69), scaled(192), 0, 0);
    else
        m_aTabBtn[TabMacro]->setGeometry(scaledRect(69, 192, 154, 29));
    m_pMousePicture->setGeometry(scaledRect(637, 99, 300, 400));
    m_pModelCaption->setGeometry(scaledRect(637, 515, 300, 20));
    m_pVersionLabel->setGeometry(scaledRect(807, 594, 140, 20));
    m_pBatteryBar->setGeometry(scaledRect(75, 587, 71, 34));
    m_pChargeIcon->setGeometry(scaledRect(174, 584, 26, 40));
    m_pReceiverIcon->setGeometry(scaledRect(174, 581, 48, 48));
    m_pResetBtn->setGeometry(scaledRect(308, 588, 128, 30));
    m_pLoadBtn->setGeometry(scaledRect(439, 588, 76, 30));
    m_pSaveBtn->setGeometry(scaledRect(518, 588, 76, 30));
    m_pApplyBtn->setGeometry(scaledRect(597, 588, 76, 30));

    const auto buttons = findChildren<TarnPushButton *>(QString(), Qt::FindDirectChildrenOnly);
    for (TarnPushButton *button : buttons)
        button->refreshFont();
    m_pModelCaption->refreshFont();
    m_pVersionLabel->refreshFont();
    m_pBatteryBar->refreshFont();
    if (m_pMouseMenu)
        m_pMouseMenu->setFixedWidth(scaled(150));
    if (m_pLangMenu)
        m_pLangMenu->setFixedWidth(scaled(105));

    showMousePicture(QStringLiteral("Mouse.png"));
}

void MousecfgWidget::showMousePicture(const QString &file)
{
    // The product name comes from a file: it must name a folder, not a path.
    if (m_strCurrentProduct.isEmpty() || !isSafeFileName(m_strCurrentProduct))
        return;
    QPixmap picture;
    if (!picture.load(m_Dirs.appDir + QStringLiteral("/skin/mouse/") + m_strCurrentProduct + QLatin1Char('/') + file))
        return; // a missing picture leaves the label as it is
    m_pMousePicture->setPixmap(
        picture.scaled(QSize(scaled(300), scaled(400)), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void MousecfgWidget::showConnectionIcons()
{
    m_iConnectionMode = ::connectionMode(connectionFlags(m_pLink->deviceTable(), m_strCurrentProduct));
    m_pChargeIcon->hide();
    m_pReceiverIcon->setVisible(receiverIconShown(m_iConnectionMode));
    m_pBatteryBar->setVisible(batteryBarShown(m_iConnectionMode));
    update();
}

void MousecfgWidget::reloadPanels()
{
    // The panels that show the current profile arrive with their own pages.
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
}

void MousecfgWidget::switchProfile(int slot, bool reload)
{
    if (!m_ProfileBook.switchSlot(m_WorkingConfig, slot, reload))
        return;
    reloadPanels();
}

// --- events ---

void MousecfgWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_bDragging = true;
        m_PressPoint = event->globalPos();
        m_WindowOrigin = frameGeometry().topLeft();
    }
    QWidget::mousePressEvent(event);
}

void MousecfgWidget::mouseReleaseEvent(QMouseEvent *event)
{
    m_bDragging = false;
    QWidget::mouseReleaseEvent(event);
}

void MousecfgWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bDragging) {
        const QPointF delta = event->screenPos() - QPointF(m_PressPoint);
        // A press that wanders a little is still a click, not a drag.
        if (std::abs(delta.x()) + std::abs(delta.y()) > 4.0) {
            move(m_WindowOrigin + QPoint(int(std::lround(delta.x())), int(std::lround(delta.y()))));
        }
    }
    QWidget::mouseMoveEvent(event);
}

void MousecfgWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap &background = backgroundFor(m_iDpiVal, size());
    if (!background.isNull()) {
        const QPixmap fitted = background.size() == size()
                                   ? background
                                   : background.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        painter.drawPixmap(0, 0, fitted);
    }
    const QPixmap &frame = cablePresent(m_iConnectionMode) ? m_BatteryImage2 : m_BatteryImage1;
    if (!frame.isNull())
        painter.drawPixmap(scaledRect(69, 581, 86, 47), frame);
}

void MousecfgWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QScreen *screen = QGuiApplication::screenAt(geometry().center());
    if (!screen)
        screen = this->screen();
    int step = scaleStepForRatio(logicalDpiOf(screen) / 96.0);
    if (step == m_iLastDpiVal) {
        if (width() == m_iLastWidth && height() == m_iLastHeight) {
            qDebug("width = %d, height = %d m_iDpiVal = %d", width(), height(), m_iDpiVal);
            return;
        }
        qDebug("singleShot");
        const int byWidth = scaleStepForWidth(width());
        if (byWidth >= 0)
            step = byWidth;
        else
            step = m_iDpiVal;
        m_iLastWidth = width();
        m_iLastHeight = height();
    } else {
        // Moved to a screen of another DPI: take that screen's size.
        m_iLastWidth = tarnScaled(kDesignWidth, scaleOfStep(step));
        m_iLastHeight = tarnScaled(kDesignHeight, scaleOfStep(step));
        resize(m_iLastWidth, m_iLastHeight);
    }
    m_iDpiVal = step;
    m_iLastDpiVal = step;
    m_pUi->setScale(scaleOfStep(step));
    // Fills the step's background at the size the window now has.
    applyWindowMask();
    layoutWidgets();
    qDebug("width = %d, height = %d m_iDpiVal = %d", m_iLastWidth, m_iLastHeight, m_iDpiVal);
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

void MousecfgWidget::onButtonClicked()
{
    QObject *button = sender();
    if (button == m_pCloseBtn) {
        hideToTray();
    } else if (button == m_pMinBtn) {
        showMinimized();
    } else if (button == m_pResetBtn || button == m_pLoadBtn || button == m_pSaveBtn || button == m_pApplyBtn) {
        qDebug("%s: not part of this build yet", qPrintable(button->objectName()));
    } else {
        for (int tab = TabCustomize; tab <= TabMacro; ++tab) {
            if (button == m_aTabBtn[std::size_t(tab)])
                selectTab(tab);
        }
    }
}

void MousecfgWidget::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick)
        return;
    if (isHidden())
        slotWarning();
    else if (!m_bWarningOpen)
        hide();
}

void MousecfgWidget::SelBtnChanged(quint8 iBtn, quint8 iType)
{
    m_iSelBtn = iBtn;
    m_iSelType = iType;
}

void MousecfgWidget::slotGotoMacro(quint8 iBtn)
{
    selectTab(iBtn);
}

void MousecfgWidget::slot_show_mousename(QAction *action)
{
    const QString name = action->text();
    if (!m_MouseNames.contains(name))
        return;
    writeCurrentProductName(m_Dirs, name);
    m_strCurrentProduct = name;
    m_pMouseSelBtn->setText(name);
    const auto actions = m_pMouseMenu->actions();
    for (QAction *entry : actions)
        entry->setChecked(entry == action);
    qDebug("current mouse: %s", qPrintable(name));
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

void MousecfgWidget::slotRefreshProfile(quint8 iProfile)
{
    switchProfile(iProfile, false);
    buildProfileMenu();
}

void MousecfgWidget::slotRefreshDPIStage(quint8 iDPI)
{
    qDebug("mouse reports DPI level %d", iDPI);
}

void MousecfgWidget::slotRefreshLightMode(quint8 iBuff1)
{
    qDebug("lighting mode %d", iBuff1);
}

void MousecfgWidget::slotRefreshRate(quint8 iRate)
{
    qDebug("mouse reports rate %d", iRate);
}

void MousecfgWidget::slotWarning()
{
    show();
    if (m_iMouseCount != 0) {
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
                           Qt::FramelessWindowHint, [this] { return m_iDevicePresent == 1; });
    box->setObjectName(QStringLiteral("dongleWarning"));
    m_pWarningBox = box;
    const int result = box->exec();
    delete box;
    if (result == QDialog::Accepted) {
        if (m_iMouseCount == 0)
            hide();
        m_bWarningOpen = false;
    }
}

void MousecfgWidget::slotWarnClose()
{
    qDebug("slotWarnClose");
}

void MousecfgWidget::slotRefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte)
{
    qDebug("battery status: charge %d, reading %d", iCharge, iHiByte * 256 + iLowByte);
}

void MousecfgWidget::slotRefreshStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode)
{
    Q_UNUSED(iMode)
    if (iProfile != m_WorkingConfig.ProfileID)
        slotRefreshProfile(iProfile);
    qDebug("mouse reports profile %d, DPI level %d, rate %d", iProfile, iDPI, iRate);
}

void MousecfgWidget::slotRefreshWriteStatus(quint8 iStatus)
{
    qDebug("write status %d", iStatus);
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
