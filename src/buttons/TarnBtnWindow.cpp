#include "TarnBtnWindow.h"

#include "ConfigFile.h"
#include "MacroFile.h"
#include "ModelDescription.h"
#include "MouseSession.h"
#include "TarnAction.h"
#include "TarnComboKeyWindow.h"
#include "TarnFireKeyWindow.h"
#include "TarnLabel.h"
#include "TarnMacroSelect.h"
#include "TarnMenu.h"
#include "TarnPushButton.h"
#include "TarnSingleKeyWindow.h"
#include "TarnSniperWindow.h"
#include "TarnTheme.h"
#include "TarnUi.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace {
const QStringList kRowImages = {QStringLiteral("/skin/tabbutton-1.png"), QStringLiteral("/skin/tabbutton-3.png"),
                                QStringLiteral("/skin/tabbutton-2.png")};

constexpr int kWheelEntry = 2 * TarnBtnWindow::kPageButtons;
// Design pixels: the rows of the first page and the band of the two wheel
// rows below them.
constexpr int kRowX = 56;
constexpr int kRowWidth = 220;
constexpr int kRowHeight = 30;
constexpr int kWheelPitch = 40;
constexpr int kWheelBand = 2 * kWheelPitch + 10;
constexpr int kMenuWidth = 220;

const FunctionMenu kSubmenuOrder[] = {FunctionMenu::Basic, FunctionMenu::Windows, FunctionMenu::Advance,
                                      FunctionMenu::Media, FunctionMenu::Dpi,     FunctionMenu::PollingRate};

QString translated(const char *source)
{
    return QCoreApplication::translate("TarnBtnWindow", source);
}
} // namespace

TarnBtnWindow::TarnBtnWindow(MouseSession &session, QWidget *parent)
    : TarnPage(parent)
    , m_Session(session)
{
    setObjectName(QStringLiteral("buttonPanel"));
    m_pScroll = new QScrollArea(this);
    m_pScroll->setObjectName(QStringLiteral("buttonScrollArea"));
    m_pScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pScroll->setStyleSheet(QStringLiteral("QScrollArea{background-color:transparent;margin:0px;border:0px}"));
    m_pScroll->viewport()->setStyleSheet(QStringLiteral("background-color:transparent;margin:0px;"));
    m_pScroll->setFocusPolicy(Qt::NoFocus);
    m_pContent = new QWidget;
    m_pContent->setObjectName(QStringLiteral("buttonRows"));
    m_pContent->setStyleSheet(QStringLiteral("background-color:transparent;"));
    m_pScroll->setWidget(m_pContent);
    m_aRow.fill(-1);
    buildMenus();
    retranslate();
}

ButtonEntries &TarnBtnWindow::entries()
{
    return m_Session.currentProfile().buttons;
}

TarnPushButton *TarnBtnWindow::button(int entry) const
{
    return entry >= 0 && entry < kButtonEntryCount ? m_aButtons[size_t(entry)] : nullptr;
}

QAction *TarnBtnWindow::makeAction(int code, QObject *parent)
{
    auto *action = new TarnAction(parent);
    action->setData(code);
    const ButtonFunction *f = findButtonFunction(code);
    action->setText(f ? translated(f->text) : QString());
    connect(action, &QAction::triggered, this, &TarnBtnWindow::onFunctionChosen);
    return action;
}

void TarnBtnWindow::buildMenus()
{
    QPalette light = palette();
    light.setColor(QPalette::WindowText, QColor(200, 200, 200));
    for (int e = 0; e < kButtonEntryCount; ++e) {
        auto *row = new TarnPushButton(kRowImages, QString(), m_pContent);
        row->setObjectName(QStringLiteral("buttonRow%1").arg(e));
        row->setKind(TarnPushButton::Kind::MenuButton);
        row->hide();
        connect(row, &TarnPushButton::EnterSignal, this, &TarnBtnWindow::slotMouseEnter);
        connect(row, &TarnPushButton::OverSignal, this, &TarnBtnWindow::slotMouseOver);
        m_aButtons[size_t(e)] = row;
    }
    for (size_t i = 0; i < m_aNumbers.size(); ++i) {
        auto *number = new TarnLabel(m_pContent);
        number->setAlignment(Qt::AlignCenter);
        number->setPalette(light);
        number->hide();
        m_aNumbers[i] = number;
    }
    m_aNumbers[kPageButtons]->setText(QStringLiteral("\u25B2"));
    m_aNumbers[kPageButtons + 1]->setText(QStringLiteral("\u25BC"));

    const int s160 = TarnUi::currentScaled(160);
    m_pMainMenu = new TarnMenu(this);
    m_pMainMenu->setObjectName(QStringLiteral("buttonMenu"));
    m_pMainMenu->setFixedWidth(s160);
    m_pWheelMenu = new TarnMenu(this);
    m_pWheelMenu->setObjectName(QStringLiteral("wheelMenu"));
    m_pWheelMenu->setFixedWidth(s160);
    m_pMainMenu->installEventFilter(this);
    m_pWheelMenu->installEventFilter(this);

    // The catalogue's actions belong to the panel, so clearing a menu never
    // deletes one; the same action may sit in several menus.
    for (const ButtonFunction &f : buttonCatalogue()) {
        m_Actions[f.code] = makeAction(f.code, this);
        if (f.menu == FunctionMenu::Main || f.menu == FunctionMenu::WheelOnly || f.menu == FunctionMenu::None)
            continue;
        TarnMenu *&submenu = m_Submenus[f.menu];
        if (!submenu) {
            submenu = new TarnMenu(this);
            submenu->setFixedWidth(TarnUi::currentScaled(147));
        }
        submenu->addAction(m_Actions[f.code]);
    }
    for (int e = 0; e < kButtonEntryCount; ++e)
        m_aButtons[size_t(e)]->setMenu(e < kWheelEntry ? m_pMainMenu : m_pWheelMenu);
}

void TarnBtnWindow::rebuildMainMenu()
{
    m_pMainMenu->clear();
    m_pWheelMenu->clear();
    // Fresh entries for the clicks: owned by the menu, gone with the next clear.
    for (int code = 1; code <= 5; ++code)
        m_pMainMenu->addAction(makeAction(code, m_pMainMenu));
    for (FunctionMenu menu : kSubmenuOrder)
        m_pMainMenu->addMenu(m_Submenus[menu]);
    if (readDisableMacro(m_Session.dirs()) == 0)
        m_pMainMenu->addAction(m_Actions[kFunMacro]);
    m_pMainMenu->addAction(m_Actions[54]);
    m_pMainMenu->addAction(m_Actions[16]);
    for (int code : wheelMenuCodes())
        m_pWheelMenu->addAction(m_Actions[code]);
}

void TarnBtnWindow::retranslate()
{
    m_pMainMenu->setFont(TarnUi::currentFont());
    rebuildMainMenu();
    for (auto &entry : m_Submenus)
        entry.second->setTitle(translated(functionMenuTitle(entry.first)));
    for (auto &entry : m_Actions) {
        const ButtonFunction *f = findButtonFunction(entry.first);
        entry.second->setText(f ? translated(f->text) : QString());
    }
    refreshLabels();
}

void TarnBtnWindow::relayout()
{
    TarnPage::relayout();
    // The language font at the current scale for rows and menus.
    for (TarnPushButton *row : m_aButtons)
        row->refreshFont();
    for (TarnLabel *number : m_aNumbers)
        number->refreshFont();
    for (TarnMenu *menu : {m_pMainMenu, m_pWheelMenu})
        menu->refreshStyle();
    for (auto &entry : m_Submenus)
        entry.second->refreshStyle();
    for (QAction *action : m_pMainMenu->actions()) {
        if (auto *tarn = qobject_cast<TarnAction *>(action))
            tarn->refreshFont();
    }
    for (auto &entry : m_Actions)
        static_cast<TarnAction *>(entry.second)->refreshFont();
    applyMenuWidths();
    layoutButtons();
}

void TarnBtnWindow::applyMenuWidths()
{
    const int width = TarnUi::currentScaled(kMenuWidth);
    m_pMainMenu->setFixedWidth(width);
    m_pWheelMenu->setFixedWidth(width);
    for (auto &entry : m_Submenus)
        entry.second->setFixedWidth(width);
}

void TarnBtnWindow::layoutButtons()
{
    m_pScroll->setGeometry(rect());
    const double scale = TarnUi::currentScale();
    auto s = [scale](double design) { return int(design * scale); };
    // The scroll area has no frame and no horizontal bar: its viewport is as
    // high as the page, even before the area has laid itself out.
    const int viewportHeight = height();

    for (TarnPushButton *row : m_aButtons) {
        row->setGeometry(QRect());
        row->hide();
    }
    for (TarnLabel *number : m_aNumbers)
        number->hide();
    m_aRow.fill(-1);

    ButtonTable table{};
    int n = loadButtonTable2(m_Session.dirs(), table);
    // The count comes from the model file; the table holds 16 buttons.
    n = std::min(n, kModelButtonTableSize);
    std::vector<int> shown;
    for (int i = 0; i < n; ++i) {
        if (table[size_t(i)] != 0xFF)
            shown.push_back(i);
    }
    const int v = int(shown.size());
    // The first page fills the height above the wheel rows.
    const double area = viewportHeight - s(kWheelBand);
    double top = 30 * scale;
    double gap = 20 * scale;
    if (v <= 9) {
        gap = (area - kRowHeight * scale * v) / (v + 1);
        top = gap;
    }
    int bottom = 0;
    for (int c = 0; c < v; ++c) {
        const int i = shown[size_t(c)];
        const int y = int(top + c * gap + kRowHeight * scale * c);
        TarnPushButton *row = m_aButtons[size_t(i)];
        row->setGeometry(s(kRowX), y, s(kRowWidth), s(kRowHeight));
        // The mouse picture shows this row's button while it is hovered.
        row->setProperty("buttonRow", c);
        m_aRow[size_t(i)] = c;
        m_aNumbers[size_t(i)]->setGeometry(s(16), y, s(34), s(kRowHeight));
        m_aNumbers[size_t(i)]->setText(c + 1);
        bottom = y + s(kRowHeight);
    }
    const int wheelTop = std::max(int(area), bottom + s(10)) + s(10);
    for (int k = 0; k < 2; ++k) {
        const int y = wheelTop + s(kWheelPitch * k);
        m_aButtons[size_t(kWheelEntry + k)]->setGeometry(s(kRowX), y, s(kRowWidth), s(kRowHeight));
        m_aNumbers[size_t(kPageButtons + k)]->setGeometry(s(16), y, s(34), s(kRowHeight));
    }
    for (int index = 0; index < kPageButtons; ++index) {
        m_aButtons[size_t(kPageButtons + index)]->setGeometry(s(29), s(62 + 25 * index), s(150), s(20));
    }
    const int contentHeight = std::max(viewportHeight, wheelTop + s(kWheelPitch * 2));
    const int bar = contentHeight > viewportHeight ? m_pScroll->verticalScrollBar()->sizeHint().width() : 0;
    m_pContent->resize(std::max(width() - bar, s(kRowX + kRowWidth)), contentHeight);
    showPage(kNoSelection, m_bSecondPage ? 1 : 0);
    refreshLabels();
}

void TarnBtnWindow::showPage(int index, int page)
{
    if (index != kNoSelection)
        m_iSelIndex = quint8(index);
    if (page != kNoSelection)
        m_iSelPage = quint8(page);
    m_bSecondPage = page == 1 || (page == kNoSelection && m_bSecondPage);
    for (int i = 0; i < kPageButtons; ++i) {
        m_aButtons[size_t(i)]->setVisible(!m_bSecondPage && m_aRow[size_t(i)] >= 0);
        m_aNumbers[size_t(i)]->setVisible(!m_bSecondPage && m_aRow[size_t(i)] >= 0);
        m_aButtons[size_t(kPageButtons + i)]->setVisible(m_bSecondPage);
    }
    for (int k = 0; k < 2; ++k) {
        m_aButtons[size_t(kWheelEntry + k)]->setVisible(!m_bSecondPage);
        m_aNumbers[size_t(kPageButtons + k)]->setVisible(!m_bSecondPage);
    }
}

void TarnBtnWindow::selectButton(int index, int page)
{
    m_iSelIndex = quint8(index);
    m_iSelPage = quint8(page);
    showPage(index, page);
    refreshLabels();
}

void TarnBtnWindow::load(const ProfileData &profile)
{
    for (int e = 0; e < kButtonEntryCount; ++e)
        showCaption(e, profile.buttons[size_t(e)]);
}

void TarnBtnWindow::refreshLabels()
{
    load(m_Session.currentProfile());
}

void TarnBtnWindow::showCaption(int e, const ButtonEntry &value)
{
    const bool wheel = e >= kWheelEntry;
    QString caption;
    if (value.Fun == kFunMacro || value.Fun == kFunGunFile) {
        caption = value.macroname;
    } else if (const char *source = captionSource(value.Fun, wheel)) {
        caption = translated(source);
    }
    TarnPushButton *row = m_aButtons[size_t(e)];
    row->setText(caption);
    QString name;
    if (wheel)
        name = e == kWheelEntry ? tr("Wheel up") : tr("Wheel down");
    else if (e < kPageButtons && m_aRow[size_t(e)] >= 0)
        name = tr("Button %1").arg(m_aRow[size_t(e)] + 1);
    else
        name = tr("Button %1").arg(e + 1);
    row->setAccessibleName(caption.isEmpty() ? name : name + QStringLiteral(": ") + caption);
}

void TarnBtnWindow::slotMouseEnter(TarnPushButton *btn)
{
    for (int e = 0; e < kButtonEntryCount; ++e) {
        if (m_aButtons[size_t(e)] != btn)
            continue;
        m_iSelPage = quint8(e / kPageButtons);
        m_iSelIndex = quint8(e % kPageButtons);
        return;
    }
}

void TarnBtnWindow::slotMouseOver(TarnPushButton *btn, bool bType)
{
    if (std::find(m_aButtons.begin(), m_aButtons.end(), btn) != m_aButtons.end())
        emit SelBtnControl(btn, bType);
}

bool TarnBtnWindow::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_pMainMenu || watched == m_pWheelMenu) &&
        (event->type() == QEvent::Close || event->type() == QEvent::Hide)) {
        emit SelBtnControl(button(buttonEntryIndex(m_iSelPage, m_iSelIndex)), false);
    }
    return TarnPage::eventFilter(watched, event);
}

void TarnBtnWindow::onFunctionChosen()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (action)
        chooseFunction(action->data().toInt());
}

void TarnBtnWindow::chooseFunction(int code)
{
    const int e = buttonEntryIndex(m_iSelPage, m_iSelIndex);
    if (e < 0) {
        qDebug("No button selected (page %d, index %d); function %d not assigned", m_iSelPage, m_iSelIndex, code);
        return;
    }
    TarnPushButton *btn = m_aButtons[size_t(e)];
    emit SelBtnControl(btn, true);
    if (removesLastLeftClick(entries(), e, code)) {
        emit PopOneClickBox();
        return;
    }
    ButtonEntry &entry = entries()[size_t(e)];
    bool changed = false;
    if (code == kFunMacro) {
        const int chosen = chooseMacro(entry, btn);
        if (chosen < 0)
            return;
        changed = chosen > 0;
    } else if (code == kFunSingleKey || code == kFunComboKey || code == kFunFireKey || code == kFunSniper) {
        changed = runDialog(code, entry);
    } else {
        entry.Fun = code;
        changed = true;
    }
    if (changed)
        showCaption(e, entry);
    emit SelBtnControl(btn, false);
    m_iSelPage = kNoSelection;
    m_iSelIndex = kNoSelection;
    if (changed)
        emit profileEdited();
}

bool TarnBtnWindow::runDialog(int code, ButtonEntry &entry)
{
    const bool preset = entry.Fun == code;
    switch (code) {
    case kFunSingleKey: {
        TarnSingleKeyWindow dlg(this);
        if (preset)
            dlg.setPreset(entry.Res1);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        qDebug("%d", int(dlg.key()));
        entry.Res1 = dlg.key();
        break;
    }
    case kFunComboKey: {
        TarnComboKeyWindow dlg(this);
        if (preset)
            dlg.setPreset(entry.keyInfo);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        storeComboKeys(entry, dlg.capture().resultKeys());
        break;
    }
    case kFunFireKey: {
        TarnFireKeyWindow dlg(this);
        if (preset)
            dlg.setPreset(entry);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        entry.Res1 = fireKeyRes1(dlg.mode(), dlg.key());
        entry.LoopNumber = dlg.times();
        entry.KeyNumber = dlg.delay();
        break;
    }
    case kFunSniper: {
        TarnSniperWindow dlg(this);
        if (preset)
            dlg.setPreset(entry.Res1);
        if (dlg.exec() != QDialog::Accepted)
            return false;
        entry.Res1 = dlg.step();
        break;
    }
    default:
        return false;
    }
    entry.Fun = code;
    return true;
}

int TarnBtnWindow::chooseMacro(ButtonEntry &entry, TarnPushButton *btn)
{
    const StorageDirs &dirs = m_Session.dirs();
    if (countMacros(dirs) < 1) {
        emit GotoMacroTab(3);
        return -1;
    }
    const bool preset = entry.Fun == kFunMacro;
    const QString name = preset ? entry.macroname : QString();
    TarnMacroSelect dlg(QString(), tr("MACRO SELECT"), name, preset ? entry.LoopNumber : 1, preset ? entry.Res1 : 0,
                        this);
    dlg.setAccessibleName(tr("MACRO SELECT"));
    // "Yes" without a macro would store a macro button that plays nothing.
    if (dlg.exec() != QDialog::Accepted || dlg.macroName().isEmpty()) {
        if (!name.isEmpty())
            btn->setText(name);
        return 0;
    }
    entry.Fun = kFunMacro;
    entry.LoopNumber = dlg.loopCount();
    entry.Res1 = std::uint8_t(dlg.mode());
    entry.macroname = dlg.macroName();
    copyMacroToButton(loadMacro(dirs, entry.macroname), entry);
    return 1;
}
