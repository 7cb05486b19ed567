#include "MacroDialog.h"

#include "GunSet.h"
#include "KeyEvents.h"
#include "KeyTables.h"
#include "KeyboardHook.h"
#include "MacroCellView.h"
#include "MacroEditing.h"
#include "MouseSession.h"
#include "TarnAccessible.h"
#include "TarnGunsetDialog.h"
#include "TarnItemModel.h"
#include "TarnLabel.h"
#include "TarnMacroItemDelegate.h"
#include "TarnMessageBox.h"
#include "TarnPushButton.h"
#include "TarnTheme.h"
#include "TarnTreeItem.h"
#include "TarnTreeWidget.h"
#include "TarnUi.h"

#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTableView>

#include <algorithm>

namespace {
// The set-1 scan code of both Alt keys; the right one carries the extended flag.
constexpr std::uint32_t kScanAlt = 0x38;

const QStringList kButtonImages = {QStringLiteral("/skin/tabbutton-1.png"), QStringLiteral("/skin/tabbutton-3.png"),
                                   QStringLiteral("/skin/tabbutton-2.png")};
const QString kCheckOff = QStringLiteral("/skin/checkbox1-1.png");
const QString kCheckOn = QStringLiteral("/skin/checkbox1-2.png");
const QString kRadioOff = QStringLiteral("/skin/checkbox2-1.png");
const QString kRadioOn = QStringLiteral("/skin/checkbox2-2.png");

struct CommandText
{
    const char *text;
    const char *accessible; // nullptr: the text names the button
    const char *objectName;
};

// clang-format off
const CommandText kCommands[MacroDialog::CommandCount] = {
    {QT_TRANSLATE_NOOP("MacroDialog", "NEW"), nullptr, "macroNew"},
    {QT_TRANSLATE_NOOP("MacroDialog", "DELETE"), QT_TRANSLATE_NOOP("MacroDialog", "DELETE MACRO"), "macroDelete"},
    {QT_TRANSLATE_NOOP("MacroDialog", "CHANGE NAME"), nullptr, "macroChangeName"},
    {QT_TRANSLATE_NOOP("MacroDialog", "IMPORT"), nullptr, "macroImport"},
    {QT_TRANSLATE_NOOP("MacroDialog", "EXPORT"), nullptr, "macroExport"},
    {QT_TRANSLATE_NOOP("MacroDialog", "BATCH"), nullptr, "macroBatch"},
    {QT_TRANSLATE_NOOP("MacroDialog", "GUN SET"), nullptr, "macroGunSet"},
    {QT_TRANSLATE_NOOP("MacroDialog", "START"), nullptr, "macroStart"},
    {QT_TRANSLATE_NOOP("MacroDialog", "STOP"), nullptr, "macroStop"},
    {QT_TRANSLATE_NOOP("MacroDialog", "EDIT"), nullptr, "macroEdit"},
    {QT_TRANSLATE_NOOP("MacroDialog", "SAVE"), nullptr, "macroSave"},
    {QT_TRANSLATE_NOOP("MacroDialog", "CANCEL"), nullptr, "macroCancel"},
    {QT_TRANSLATE_NOOP("MacroDialog", "DELETE"), QT_TRANSLATE_NOOP("MacroDialog", "DELETE ACTION"), "actionDelete"},
    {QT_TRANSLATE_NOOP("MacroDialog", "MOVE UP"), nullptr, "actionMoveUp"},
    {QT_TRANSLATE_NOOP("MacroDialog", "MOVE DOWN"), nullptr, "actionMoveDown"},
    {QT_TRANSLATE_NOOP("MacroDialog", "TOP"), nullptr, "actionTop"},
    {QT_TRANSLATE_NOOP("MacroDialog", "BOTTOM"), nullptr, "actionBottom"},
    {QT_TRANSLATE_NOOP("MacroDialog", "CLEAR"), nullptr, "actionClear"},
    {QT_TRANSLATE_NOOP("MacroDialog", "INSERT DELAY"), nullptr, "actionInsertDelay"},
};

// Design rectangles inside the page (665 x 467).
const QRect kCommandRects[MacroDialog::CommandCount] = {
    {8, 298, 69, 26}, {79, 298, 69, 26},   // NEW, DELETE
    {8, 328, 140, 26},                      // CHANGE NAME
    {8, 358, 69, 26}, {79, 358, 69, 26},   // IMPORT, EXPORT
    {8, 388, 69, 26}, {79, 388, 69, 26},   // BATCH, GUN SET
    {156, 314, 95, 26}, {156, 314, 95, 26}, // START, STOP
    {156, 344, 95, 26},                     // EDIT
    {253, 314, 95, 26}, {351, 314, 95, 26}, // SAVE, CANCEL
    {253, 344, 95, 26},                     // DELETE
    {156, 374, 95, 26}, {253, 374, 95, 26}, // MOVE UP, MOVE DOWN
    {156, 404, 95, 26}, {253, 404, 95, 26}, // TOP, BOTTOM
    {351, 344, 95, 26}, {351, 374, 95, 26}, // CLEAR, INSERT DELAY
};
// clang-format on

const char *const kDelayTexts[2] = {QT_TRANSLATE_NOOP("MacroDialog", "RECORD DELAYS BETWEEN ACTION"),
                                    QT_TRANSLATE_NOOP("MacroDialog", "INSERT DEFAULT DELAY")};
const char *const kLoopTexts[3] = {QT_TRANSLATE_NOOP("MacroDialog", "LOOPS TIME(1-255)"),
                                   QT_TRANSLATE_NOOP("MacroDialog", "REPEAT RUN WHEN KEY DOWN"),
                                   QT_TRANSLATE_NOOP("MacroDialog", "REPEAT RUN UNTIL THE KEY DOWN")};
const char *const kButtonTexts[5] = {
    QT_TRANSLATE_NOOP("MacroDialog", "LEFT CLICK"), QT_TRANSLATE_NOOP("MacroDialog", "MIDDLE CLICK"),
    QT_TRANSLATE_NOOP("MacroDialog", "RIGHT CLICK"), QT_TRANSLATE_NOOP("MacroDialog", "FORWARD"),
    QT_TRANSLATE_NOOP("MacroDialog", "BACKWARD")};
const char *const kMoveTexts[4] = {
    QT_TRANSLATE_NOOP("MacroDialog", "MOVE LEFT"), QT_TRANSLATE_NOOP("MacroDialog", "MOVE RIGHT"),
    QT_TRANSLATE_NOOP("MacroDialog", "MOVE UP"), QT_TRANSLATE_NOOP("MacroDialog", "MOVE DOWN")};
const MoveDirection kMoveDirections[4] = {MoveDirection::Left, MoveDirection::Right, MoveDirection::Up,
                                          MoveDirection::Down};
const char *const kChildTexts[2] = {QT_TRANSLATE_NOOP("MacroDialog", "PRESS DOWN"),
                                    QT_TRANSLATE_NOOP("MacroDialog", "BOUNCE UP")};

constexpr int kMaxDefaultDelayMs = 655350;
constexpr int kMinLoopTime = 1;
constexpr int kMaxLoopTime = 255;
constexpr int kMinEditDelayMs = 10;
constexpr int kMaxEditDelayMs = 65535;
constexpr int kTreeButtons = 5;
constexpr int kTreeRowHeight = 24;
constexpr int kTreeItemWidth = 148;
constexpr int kTreeWidth = 205;
constexpr int kNewMacroDefaultDelay = 10;
constexpr int kNewMacroLoopTime = 1;

MacroRowValues rowValues(const MacroAction &a)
{
    return {a.map, a.dataH, a.dataL};
}

MacroAction macroAction(const MacroRowValues &v)
{
    return {std::uint8_t(v.map), std::uint8_t(v.dataH), std::uint8_t(v.dataL)};
}

QString keyNameOfUsage(int usage)
{
    InternalKeyCode code = 0;
    if (usage < 0 || usage > 255 || !hidToScan(std::uint8_t(usage), code))
        return QString();
    return QString::fromLatin1(keyName(code));
}

// Refuses what can never become a value in range (QIntValidator lets a
// number with as many digits as the top through, e.g. 256 for 1..255).
class BoundedIntValidator : public QIntValidator
{
public:
    BoundedIntValidator(int bottom, int top, QObject *parent)
        : QIntValidator(bottom, top, parent)
    {
    }
    State validate(QString &input, int &pos) const override
    {
        const State state = QIntValidator::validate(input, pos);
        if (state == Intermediate && !input.isEmpty() && input.toLongLong() > top())
            return Invalid;
        return state;
    }
};

QString lightText()
{
    return QStringLiteral("background: transparent; color: rgb(225,225,225);");
}
} // namespace

MacroDialog::MacroDialog(MouseSession &session, QWidget *parent)
    : TarnPage(parent)
    , m_Session(session)
    , m_Library(session.dirs())
{
    setObjectName(QStringLiteral("macroPage"));
    setFocusPolicy(Qt::ClickFocus);

    // Reading order: the macros, the actions and their commands, the options, the tree.
    m_pMacroList = new QListWidget(this);
    m_pMacroList->setObjectName(QStringLiteral("macroList"));
    m_pNameEdit = new QLineEdit(this);
    m_pNameEdit->setObjectName(QStringLiteral("macroNameEdit"));
    m_pNameEdit->setMaxLength(kGunMaxNameLength);

    m_pModel = new TarnItemModel(this);
    m_pTable = new QTableView(this);
    m_pTable->setObjectName(QStringLiteral("macroActions"));
    m_pTable->setModel(m_pModel);
    m_pDelegate = new TarnMacroItemDelegate(this);
    m_pDelegate->setSelectionColors(TarnUi::currentThemeColor(), Qt::white);
    m_pTable->setItemDelegate(m_pDelegate);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->verticalHeader()->hide();
    m_pTable->setShowGrid(false);

    for (int c = 0; c < CommandCount; ++c) {
        auto *button = new TarnPushButton(kButtonImages, QString(), this);
        button->setObjectName(QLatin1String(kCommands[c].objectName));
        connect(button, &QPushButton::clicked, this, [this, c] { runCommand(Command(c)); });
        m_aButtons[std::size_t(c)] = button;
    }
    m_aButtons[CmdStop]->hide();

    buildOptions();
    buildEditPanel();
    buildTree();

    connect(m_pMacroList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && !m_bRecording)
            openMacro(m_pMacroList->item(row)->text());
        updateEnabled();
    });
    connect(m_pTable, &QAbstractItemView::clicked, this, &MacroDialog::itemClicked);
    connect(m_pTable->selectionModel(), &QItemSelectionModel::currentChanged, this, &MacroDialog::CurrentChanged);
    connect(m_pModel, &QAbstractItemModel::rowsInserted, this, &MacroDialog::updateEnabled);
    connect(m_pModel, &QAbstractItemModel::rowsRemoved, this, &MacroDialog::updateEnabled);

    placeWidgets();
    styleWidgets();
    retranslate();
    rebuildList(QString());
    m_pEditPanel->hide();
    updateEnabled();
}

MacroDialog::~MacroDialog()
{
    removeHook();
}

void MacroDialog::buildOptions()
{
    m_pOptions = new QWidget(this);
    m_pOptions->setObjectName(QStringLiteral("macroOptions"));
    for (int i = 0; i < 2; ++i) {
        auto *box = new TarnPushButton(QStringList(), kCheckOff, m_pOptions);
        box->setObjectName(QStringLiteral("delayType%1").arg(i + 1));
        box->setKind(TarnPushButton::Kind::Toggle);
        connect(box, &QPushButton::clicked, this, &MacroDialog::checkbtn_clicked);
        auto *label = new TarnLabel(m_pOptions);
        label->setWordWrap(true);
        label->setBuddy(box);
        connect(label, &TarnLabel::EnterSignal, box, [box] { box->activate(); });
        m_aDelayBox[std::size_t(i)] = box;
        m_aDelayLabel[std::size_t(i)] = label;
    }
    m_pDefaultDelayEdit = new QLineEdit(QString::number(kNewMacroDefaultDelay), m_pOptions);
    m_pDefaultDelayEdit->setObjectName(QStringLiteral("defaultDelayEdit"));
    m_pDefaultDelayEdit->setValidator(new BoundedIntValidator(0, kMaxDefaultDelayMs, m_pDefaultDelayEdit));
    connect(m_pDefaultDelayEdit, &QLineEdit::textChanged, this, &MacroDialog::DefDelayChanged);
    m_pDefaultDelayUnit = new TarnLabel(QStringLiteral("ms"), m_pOptions);
    for (int i = 0; i < 3; ++i) {
        auto *radio = new TarnPushButton(QStringList(), kRadioOff, m_pOptions);
        radio->setObjectName(QStringLiteral("loopType%1").arg(i + 1));
        radio->setKind(TarnPushButton::Kind::Toggle);
        connect(radio, &QPushButton::clicked, this, &MacroDialog::checkbtn_clicked);
        auto *label = new TarnLabel(m_pOptions);
        label->setWordWrap(true);
        label->setBuddy(radio);
        connect(label, &TarnLabel::EnterSignal, radio, [radio] { radio->activate(); });
        m_aLoopRadio[std::size_t(i)] = radio;
        m_aLoopLabel[std::size_t(i)] = label;
        if (i == 0) {
            m_pLoopTimeEdit = new QLineEdit(QString::number(kNewMacroLoopTime), m_pOptions);
            m_pLoopTimeEdit->setObjectName(QStringLiteral("loopTimeEdit"));
            m_pLoopTimeEdit->setValidator(new BoundedIntValidator(kMinLoopTime, kMaxLoopTime, m_pLoopTimeEdit));
            m_pLoopTimeEdit->setMaxLength(3);
            connect(m_pLoopTimeEdit, &QLineEdit::textChanged, this, &MacroDialog::LoopTimeChanged);
        }
    }
}

void MacroDialog::buildEditPanel()
{
    m_pEditPanel = new QWidget(this);
    m_pEditPanel->setObjectName(QStringLiteral("macroEditPanel"));
    m_pEditTitle = new TarnLabel(m_pEditPanel);
    m_pEditValue = new TarnLabel(m_pEditPanel);
    m_pEditValue->setObjectName(QStringLiteral("editKeyName"));
    m_pEditHint = new TarnLabel(m_pEditPanel);
    m_pEditHint->setWordWrap(true);
    m_pEditMove = new QLineEdit(m_pEditPanel);
    m_pEditMove->setObjectName(QStringLiteral("editMoveDistance"));
    m_pEditMove->setValidator(new BoundedIntValidator(kMinMoveDistance, kMaxMoveDistance, m_pEditMove));
    m_pEditMove->setMaxLength(3);
    connect(m_pEditMove, &QLineEdit::textChanged, this, &MacroDialog::EditMoveChanged);
    m_pEditDelay = new QLineEdit(m_pEditPanel);
    m_pEditDelay->setObjectName(QStringLiteral("editDelay"));
    m_pEditDelay->setValidator(new BoundedIntValidator(kMinEditDelayMs, kMaxEditDelayMs, m_pEditDelay));
    m_pEditDelay->setMaxLength(5);
    connect(m_pEditDelay, &QLineEdit::textChanged, this, &MacroDialog::EditDelayChanged);
}

void MacroDialog::buildTree()
{
    m_pTree = new TarnTreeWidget(this);
    m_pTree->setObjectName(QStringLiteral("mouseActionTree"));
    m_pTree->setHeaderHidden(true);
    m_pTree->setRootIsDecorated(false);
    m_pTree->setExpandsOnDoubleClick(false);
    m_pTree->setIndentation(0);
    m_pTree->setSelectionMode(QAbstractItemView::NoSelection);
    m_pTree->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pTree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const auto addRow = [this](QTreeWidgetItem *item) {
        auto *row = new TarnTreeItem(QString(), QString(), m_pTree);
        connect(row, &TarnTreeItem::TarnMousePressed, this, &MacroDialog::TarnItemPressed);
        connect(row, &TarnTreeItem::MouseInSignal, this, &MacroDialog::mousemove_test);
        m_pTree->setItemWidget(item, 0, row);
        return row;
    };
    for (int b = 0; b < kTreeButtons; ++b) {
        auto *top = new QTreeWidgetItem(m_pTree);
        for (int c = 0; c < 2; ++c)
            new QTreeWidgetItem(top);
    }
    for (int m = 0; m < 4; ++m)
        new QTreeWidgetItem(m_pTree);
    // Item widgets need their items in the tree (children in an expanded parent).
    for (int i = 0; i < m_pTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = m_pTree->topLevelItem(i);
        TarnTreeItem *row = addRow(top);
        for (int c = 0; c < top->childCount(); ++c)
            addRow(top->child(c));
        if (i < kTreeButtons)
            continue;
        // The distance sits at the end of its move row.
        auto *edit = new QLineEdit(QStringLiteral("10"), row);
        edit->setObjectName(QStringLiteral("moveDistance%1").arg(i - kTreeButtons));
        edit->setValidator(new BoundedIntValidator(kMinMoveDistance, kMaxMoveDistance, edit));
        edit->setMaxLength(3);
        m_aMoveEdit[std::size_t(i - kTreeButtons)] = edit;
    }
    connect(m_pTree, &QTreeWidget::itemClicked, this, &MacroDialog::TreeitemClick);
    // Enter and Space on a row do what a click does (itemActivated would also
    // come with single-click activation styles, inserting twice).
    m_pTree->installEventFilter(this);
}

void MacroDialog::placeWidgets()
{
    TarnDesignLayout &layout = designLayout();
    layout.place(m_pMacroList, 8, 8, 140, 252);
    layout.place(m_pNameEdit, 8, 266, 140, 24);
    layout.place(m_pTable, 156, 8, 290, 298);
    for (int c = 0; c < CommandCount; ++c)
        layout.place(m_aButtons[std::size_t(c)], kCommandRects[c]);

    layout.place(m_pOptions, 454, 8, 205, 164);
    for (int i = 0; i < 2; ++i) {
        layout.place(m_aDelayBox[std::size_t(i)], 0, 4 + 34 * i, 18, 18);
        layout.place(m_aDelayLabel[std::size_t(i)], 24, 34 * i, 181, 28);
    }
    layout.place(m_pDefaultDelayEdit, 24, 60, 70, 20);
    layout.place(m_pDefaultDelayUnit, 100, 60, 40, 20);
    for (int i = 0; i < 3; ++i) {
        const int y = 88 + 26 * i;
        layout.place(m_aLoopRadio[std::size_t(i)], 0, y + 1, 18, 18);
        layout.place(m_aLoopLabel[std::size_t(i)], 24, y - 4, i == 0 ? 124 : 181, 28);
    }
    layout.place(m_pLoopTimeEdit, 152, 88, 50, 20);

    layout.place(m_pEditPanel, 454, 8, 205, 164);
    layout.place(m_pEditTitle, 0, 0, 205, 22);
    layout.place(m_pEditValue, 0, 28, 160, 26);
    layout.place(m_pEditMove, 0, 28, 80, 22);
    layout.place(m_pEditDelay, 0, 28, 80, 22);
    layout.place(m_pEditHint, 0, 62, 205, 60);

    layout.place(m_pTree, 454, 178, kTreeWidth, 9 * kTreeRowHeight + 2 * kTreeRowHeight + 4);
}

void MacroDialog::styleWidgets()
{
    const QColor theme = TarnUi::currentThemeColor();
    const QString rgb = tarnRgb(theme);
    const QFont font = TarnUi::currentFont();
    const QString field = QStringLiteral("QLineEdit{background: rgb(20,20,20); color: white; border: 1px solid "
                                         "rgb(90,90,90); padding: 0 2px;}QLineEdit:focus{border: 1px solid %1;}"
                                         "QLineEdit:disabled{color: rgb(110,110,110);}")
                              .arg(rgb);
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        edit->setStyleSheet(field);
        edit->setFont(font);
    }
    m_pMacroList->setStyleSheet(
        QStringLiteral("QListWidget{background: rgb(20,20,20); color: white; border: 1px solid rgb(90,90,90);}"
                       "QListWidget::item:selected{background: %1; color: white;}"
                       "QListWidget:focus{border: 1px solid %1;}")
            .arg(rgb));
    m_pMacroList->setFont(font);
    m_pTable->setStyleSheet(
        QStringLiteral("QTableView{background: rgb(20,20,20); color: white; border: 1px solid rgb(90,90,90);}"
                       "QTableView:focus{border: 1px solid %1;}")
            .arg(rgb));
    QHeaderView *header = m_pTable->horizontalHeader();
    header->setStyleSheet(QStringLiteral("QHeaderView{background: rgb(45,45,45);}"
                                         "QHeaderView::section{background: rgb(45,45,45); color: white; border: none; "
                                         "border-right: 1px solid rgb(70,70,70); padding: 2px;}"));
    header->setFont(font);
    // The key names take what the two short columns leave.
    header->setStretchLastSection(false);
    header->setSectionResizeMode(MacroColumnKey, QHeaderView::Stretch);
    header->setSectionResizeMode(MacroColumnAction, QHeaderView::Fixed);
    header->setSectionResizeMode(MacroColumnDelay, QHeaderView::Fixed);
    m_pTable->setColumnWidth(MacroColumnAction, TarnUi::currentScaled(86));
    m_pTable->setColumnWidth(MacroColumnDelay, TarnUi::currentScaled(74));
    m_pTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pTable->verticalHeader()->setDefaultSectionSize(TarnUi::currentScaled(kTreeRowHeight));
    m_pTree->setStyleSheet(QStringLiteral("QTreeWidget{background: transparent; border: none;}"
                                          "QTreeWidget::item{padding: 0px; margin: 0px;}") +
                           field);
    const QSize rowSize(TarnUi::currentScaled(kTreeWidth), TarnUi::currentScaled(kTreeRowHeight));
    for (QLineEdit *edit : m_aMoveEdit)
        edit->setGeometry(TarnUi::currentScaled(kTreeItemWidth + 4), TarnUi::currentScaled(2),
                          TarnUi::currentScaled(kTreeWidth - kTreeItemWidth - 6),
                          TarnUi::currentScaled(kTreeRowHeight - 4));
    for (int i = 0; i < m_pTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = m_pTree->topLevelItem(i);
        top->setSizeHint(0, rowSize);
        for (int c = 0; c < top->childCount(); ++c)
            top->child(c)->setSizeHint(0, rowSize);
    }
    for (QWidget *panel : {m_pOptions, m_pEditPanel})
        panel->setStyleSheet(QStringLiteral("QWidget#%1{background: transparent;}").arg(panel->objectName()));
    for (TarnLabel *label : findChildren<TarnLabel *>()) {
        if (!label->parentWidget() || qobject_cast<TarnTreeItem *>(label->parentWidget()))
            continue;
        label->setStyleSheet(lightText());
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(225, 225, 225));
        label->setPalette(palette);
        label->refreshFont();
    }
    m_pEditValue->setStyleSheet(QStringLiteral("background: rgb(20,20,20); color: white; border: 1px solid %1; "
                                               "padding-left: 4px;")
                                    .arg(rgb));
    for (TarnPushButton *button : findChildren<TarnPushButton *>())
        button->refreshFont();
}

void MacroDialog::load(const ProfileData &)
{
    // Nothing of a profile is shown here; unsaved edits of the open macro stay.
}

void MacroDialog::retranslate()
{
    for (int c = 0; c < CommandCount; ++c) {
        TarnPushButton *button = m_aButtons[std::size_t(c)];
        button->setText(tr(kCommands[c].text));
        button->setAccessibleName(kCommands[c].accessible ? tr(kCommands[c].accessible) : QString());
    }
    m_pModel->setHeaderTexts();
    setAccessibleName(tr("MACRO"));
    m_pMacroList->setAccessibleName(tr("MACRO LIST"));
    m_pNameEdit->setAccessibleName(tr("MACRO NAME"));
    m_pTable->setAccessibleName(tr("ACTIONS"));
    m_pTree->setAccessibleName(tr("MOUSE ACTIONS"));
    for (int i = 0; i < 2; ++i) {
        m_aDelayLabel[std::size_t(i)]->setText(tr(kDelayTexts[i]));
        m_aDelayBox[std::size_t(i)]->setAccessibleName(tr(kDelayTexts[i]));
    }
    m_pDefaultDelayEdit->setAccessibleName(tr("DEFAULT DELAY (ms)"));
    for (int i = 0; i < 3; ++i) {
        m_aLoopLabel[std::size_t(i)]->setText(tr(kLoopTexts[i]));
        m_aLoopRadio[std::size_t(i)]->setAccessibleName(tr(kLoopTexts[i]));
    }
    m_pLoopTimeEdit->setAccessibleName(tr("LOOPS TIME(1-255)"));
    m_pEditMove->setAccessibleName(tr("DISTANCE"));
    m_pEditDelay->setAccessibleName(tr("DELAY(ms)"));
    for (int i = 0; i < m_pTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = m_pTree->topLevelItem(i);
        const QString text = i < kTreeButtons ? tr(kButtonTexts[i]) : tr(kMoveTexts[i - kTreeButtons]);
        // The item's own text is what assistive tools read; the row widget paints it.
        top->setText(0, text);
        if (auto *row = qobject_cast<TarnTreeItem *>(m_pTree->itemWidget(top, 0)))
            row->setText(text);
        for (int c = 0; c < top->childCount(); ++c) {
            top->child(c)->setText(0, tr(kChildTexts[c]));
            if (auto *row = qobject_cast<TarnTreeItem *>(m_pTree->itemWidget(top->child(c), 0)))
                row->setText(tr(kChildTexts[c]));
        }
        if (i >= kTreeButtons)
            m_aMoveEdit[std::size_t(i - kTreeButtons)]->setAccessibleName(tr("%1 DISTANCE").arg(text));
    }
    if (m_bEditing)
        showEditPanel(currentRow());
}

void MacroDialog::relayout()
{
    TarnPage::relayout();
    styleWidgets();
}

TarnPushButton *MacroDialog::commandButton(Command command) const
{
    return command >= 0 && command < CommandCount ? m_aButtons[std::size_t(command)] : nullptr;
}

TarnPushButton *MacroDialog::delayBox(int type) const
{
    return type >= 1 && type <= 2 ? m_aDelayBox[std::size_t(type - 1)] : nullptr;
}

TarnPushButton *MacroDialog::loopRadio(int type) const
{
    return type >= 1 && type <= 3 ? m_aLoopRadio[std::size_t(type - 1)] : nullptr;
}

QLineEdit *MacroDialog::moveDistanceEdit(int move) const
{
    return move >= 0 && move < 4 ? m_aMoveEdit[std::size_t(move)] : nullptr;
}

QString MacroDialog::currentMacro() const
{
    const QListWidgetItem *item = m_pMacroList->currentItem();
    return item ? item->text() : QString();
}

// ---- the one click handler ----

void MacroDialog::runCommand(Command command)
{
    TarnPushButton *button = commandButton(command);
    if (!button || !button->isEnabled())
        return;
    const int row = currentRow();
    const int rows = m_pModel->rowCount();
    switch (command) {
    case CmdNew:
        newMacro();
        break;
    case CmdDeleteMacro:
        deleteMacro();
        break;
    case CmdChangeName:
        changeName();
        break;
    case CmdImport:
        importMacros();
        break;
    case CmdExport:
        exportMacros();
        break;
    case CmdBatch:
        m_bBatch = !m_bBatch;
        rebuildList(currentMacro());
        break;
    case CmdGunSet:
        gunSet();
        break;
    case CmdStart:
        startRecording();
        break;
    case CmdStop:
        stopRecording();
        break;
    case CmdEdit:
        startEdit();
        break;
    case CmdSave:
        endEdit(true);
        break;
    case CmdCancel:
        endEdit(false);
        break;
    case CmdDeleteAction:
        if (row >= 0) {
            m_pModel->removeRow(row);
            selectRow(qMin(row, m_pModel->rowCount() - 1));
        }
        break;
    case CmdMoveUp:
        if (row > 0)
            moveRow(row, row - 1);
        break;
    case CmdMoveDown:
        if (row >= 0 && row < rows - 1)
            moveRow(row, row + 1);
        break;
    case CmdTop:
        if (row > 0)
            moveRow(row, 0);
        break;
    case CmdBottom:
        if (row >= 0 && row < rows - 1)
            moveRow(row, rows - 1);
        break;
    case CmdClear:
        if (rows > 0)
            m_pModel->removeRows(0, rows);
        break;
    case CmdInsertDelay:
        if (rows > 0)
            insertRows({macroDelayAction(10)});
        break;
    case CommandCount:
        break;
    }
}

// ---- the macro list and files ----

void MacroDialog::rebuildList(const QString &select)
{
    const QSignalBlocker block(m_pMacroList);
    m_pMacroList->clear();
    for (const QString &name : m_Library.names())
        addToList(name);
    const QList<QListWidgetItem *> found = m_pMacroList->findItems(select, Qt::MatchExactly);
    const int row = found.isEmpty() ? (m_pMacroList->count() > 0 ? 0 : -1) : m_pMacroList->row(found.first());
    m_pMacroList->setCurrentRow(row);
    if (select.isEmpty() || found.isEmpty())
        openMacro(currentMacro());
    updateEnabled();
}

void MacroDialog::addToList(const QString &name)
{
    auto *item = new QListWidgetItem(name, m_pMacroList);
    if (m_bBatch) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void MacroDialog::openMacro(const QString &name)
{
    if (m_pMacroList->count() == 0 || name.isEmpty()) {
        m_pNameEdit->clear();
        m_pModel->removeRows(0, m_pModel->rowCount());
        return;
    }
    m_pNameEdit->setText(name);
    const MacroRecord macro = loadMacro(m_Session.dirs(), name);
    int type = macro.DelayType;
    if (type < MacroDelayNone || type > MacroDelayDefault) {
        qDebug("Macro \"%s\": delay type %d read as 0", qPrintable(name), type);
        type = MacroDelayNone;
    }
    setDelayType(type);
    {
        const QSignalBlocker blockDelay(m_pDefaultDelayEdit);
        const QSignalBlocker blockLoop(m_pLoopTimeEdit);
        m_pDefaultDelayEdit->setText(QString::number(macro.DefaultDelay));
        m_pLoopTimeEdit->setText(QString::number(macro.LoopTime));
    }
    setLoopType(macro.LoopType);
    m_pModel->removeRows(0, m_pModel->rowCount());
    for (const MacroAction &stored : macro.actions) {
        const std::optional<MacroAction> shown = macroShownAction(stored, type);
        m_pModel->insertAction(m_pModel->rowCount(), rowValues(stored),
                               shown ? std::optional<MacroRowValues>(rowValues(*shown)) : std::nullopt);
    }
    selectRow(m_pModel->rowCount() - 1);
}

void MacroDialog::saveOpenMacro()
{
    const QString name = currentMacro();
    if (name.isEmpty())
        return;
    MacroRecord macro;
    macro.DefaultDelay = defaultDelayMs();
    macro.LoopTime = std::clamp(m_pLoopTimeEdit->text().toInt(), kMinLoopTime, kMaxLoopTime);
    macro.DelayType = m_iDelayType;
    macro.LoopType = loopType();
    for (int row = 0; row < m_pModel->rowCount(); ++row)
        macro.actions.push_back(macroAction(m_pModel->action(row)));
    if (!saveMacro(m_Session.dirs(), name, macro))
        warn(tr("The macro could not be saved."));
}

void MacroDialog::resetOptions()
{
    setDelayType(MacroDelayNone);
    setLoopType(0);
    m_pModel->removeRows(0, m_pModel->rowCount());
    const QSignalBlocker blockDelay(m_pDefaultDelayEdit);
    const QSignalBlocker blockLoop(m_pLoopTimeEdit);
    m_pDefaultDelayEdit->setText(QString::number(kNewMacroDefaultDelay));
    m_pLoopTimeEdit->setText(QString::number(kNewMacroLoopTime));
}

void MacroDialog::newMacro()
{
    if (m_Library.isFull()) {
        message(tr("WARNING"), tr("TOO MANY MACROS TO BE CREATE!"));
        return;
    }
    const QString name = m_Library.newMacroName();
    MacroRecord macro;
    macro.DefaultDelay = kNewMacroDefaultDelay;
    macro.LoopTime = kNewMacroLoopTime;
    if (!saveMacro(m_Session.dirs(), name, macro) || !addMacroName(m_Session.dirs(), name)) {
        warn(tr("The macro could not be saved."));
        return;
    }
    resetOptions();
    rebuildList(name);
    openMacro(name);
}

void MacroDialog::deleteMacro()
{
    const int row = m_pMacroList->currentRow();
    if (row < 0)
        return;
    m_Library.remove(currentMacro());
    {
        const QSignalBlocker block(m_pMacroList);
        delete m_pMacroList->takeItem(row);
    }
    if (m_pMacroList->count() == 0)
        openMacro(QString());
    else
        openMacro(currentMacro());
    updateEnabled();
}

void MacroDialog::changeName()
{
    const QString oldName = currentMacro();
    if (oldName.isEmpty())
        return;
    QString given;
    switch (m_Library.rename(oldName, m_pNameEdit->text(), &given)) {
    case MacroLibrary::Outcome::Done:
        m_pMacroList->currentItem()->setText(given);
        m_pNameEdit->setText(given);
        break;
    case MacroLibrary::Outcome::EmptyName:
        warn(tr("Please input file name."));
        m_pNameEdit->setText(oldName);
        break;
    case MacroLibrary::Outcome::UnsafeName:
        warn(tr("A macro name cannot contain / or \\."));
        m_pNameEdit->setText(oldName);
        break;
    case MacroLibrary::Outcome::Unchanged:
        break;
    default:
        warn(tr("The macro could not be renamed."));
        m_pNameEdit->setText(oldName);
        break;
    }
}

void MacroDialog::importMacros()
{
    const auto choose = m_Dialogs.openFiles ? m_Dialogs.openFiles : [](QWidget *parent, bool several) {
        const QString title = tr("Load Macro File");
        const QString filter = tr("Macro File(*.MSMACRO)");
        if (several)
            return QFileDialog::getOpenFileNames(parent, title, QString(), filter);
        const QString file = QFileDialog::getOpenFileName(parent, title, QString(), filter);
        return file.isEmpty() ? QStringList() : QStringList{file};
    };
    const QStringList files = choose(this, m_bBatch);
    if (files.isEmpty())
        return;
    QString last;
    QStringList skipped;
    for (const QString &file : files) {
        QString name;
        const MacroLibrary::Outcome outcome = m_Library.importFile(file, &name);
        if (outcome == MacroLibrary::Outcome::Done) {
            last = name;
            continue;
        }
        if (m_bBatch) {
            skipped << QFileInfo(file).fileName();
            continue;
        }
        if (outcome == MacroLibrary::Outcome::Exists)
            warn(tr("Macro Exist!"));
        else if (outcome == MacroLibrary::Outcome::Full)
            message(tr("WARNING"), tr("TOO MANY MACROS TO BE CREATE!"));
        else if (outcome == MacroLibrary::Outcome::UnsafeName)
            warn(tr("A macro name cannot contain / or \\."));
        else
            warn(tr("The macro could not be imported."));
    }
    if (!last.isEmpty()) {
        rebuildList(last);
        openMacro(last);
    }
    if (!skipped.isEmpty())
        warn(tr("Not imported (the name is taken or the list is full): %1").arg(skipped.join(QStringLiteral(", "))));
}

void MacroDialog::exportMacros()
{
    const QString name = currentMacro();
    if (name.isEmpty())
        return;
    if (!m_bBatch) {
        const auto choose = m_Dialogs.saveFile ? m_Dialogs.saveFile : [](QWidget *parent, const QString &suggestion) {
            QString file =
                QFileDialog::getSaveFileName(parent, tr("Save Macro File"), suggestion, tr("Macro File(*.MSMACRO)"));
            if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty())
                file += QStringLiteral(".MSMACRO");
            return file;
        };
        const QString target = choose(this, name);
        if (!target.isEmpty() && m_Library.exportFile(name, target) != MacroLibrary::Outcome::Done)
            warn(tr("The macro could not be exported."));
        return;
    }
    const auto choose = m_Dialogs.directory ? m_Dialogs.directory : [](QWidget *parent) {
        return QFileDialog::getExistingDirectory(parent, tr("Save Macro File"), QStringLiteral("./"));
    };
    QStringList checked;
    for (int i = 0; i < m_pMacroList->count(); ++i) {
        if (m_pMacroList->item(i)->checkState() == Qt::Checked)
            checked << m_pMacroList->item(i)->text();
    }
    if (checked.isEmpty())
        return;
    const QString directory = choose(this);
    if (directory.isEmpty())
        return;
    const QStringList missed = m_Library.exportFiles(checked, directory);
    if (!missed.isEmpty())
        warn(tr("Not exported (a file of that name exists): %1").arg(missed.join(QStringLiteral(", "))));
}

void MacroDialog::gunSet()
{
    if (m_Library.isFull()) {
        message(tr("WARNING"), tr("TOO MANY MACROS TO BE CREATE!"));
        return;
    }
    const auto run =
        m_Dialogs.gunSet ? m_Dialogs.gunSet : [](QWidget *parent, QString &name, std::vector<MacroAction> &actions) {
            TarnGunsetDialog dialog(parent);
            if (dialog.exec() != QDialog::Accepted)
                return false;
            name = dialog.fileName();
            actions = dialog.actions();
            return true;
        };
    QString typed;
    std::vector<MacroAction> actions;
    if (!run(this, typed, actions))
        return;
    const QString name = writeGunFile(m_Session.dirs(), typed, actions);
    if (name.isEmpty() || !addMacroName(m_Session.dirs(), name)) {
        warn(tr("The gun file could not be written."));
        return;
    }
    resetOptions();
    rebuildList(name);
    openMacro(name);
}

// ---- recording and editing ----

void MacroDialog::startRecording()
{
    if (currentMacro().isEmpty())
        return;
    m_Recorder.setDelay(m_iDelayType, defaultDelayMs());
    m_Recorder.start();
    m_bRecording = true;
    m_aButtons[CmdStart]->hide();
    m_aButtons[CmdStop]->show();
    m_pModel->removeRows(0, m_pModel->rowCount());
    installHook();
    updateEnabled();
    emit EnableButtonsSignal(false);
}

void MacroDialog::stopRecording()
{
    if (!m_bRecording)
        return;
    m_bRecording = false;
    m_aButtons[CmdStop]->hide();
    m_aButtons[CmdStart]->show();
    removeHook();
    updateEnabled();
    emit EnableButtonsSignal(true);
    const bool released = macroKeysReleased(shownRows());
    // Saved before the warning, so nothing waits on the user.
    saveOpenMacro();
    if (!released)
        warn(tr("ONE OR MORE KEYS HAS NOT BEEN RELEASED."));
}

void MacroDialog::startEdit()
{
    const int row = currentRow();
    if (row < 0 || m_bEditing)
        return;
    m_bEditing = true;
    m_pOptions->hide();
    m_pEditPanel->show();
    showEditPanel(row);
    updateEnabled();
    emit EnableButtonsSignal(false);
}

void MacroDialog::endEdit(bool save)
{
    if (save)
        saveOpenMacro();
    else
        openMacro(currentMacro());
    const bool wasEditing = m_bEditing;
    m_bEditing = false;
    removeHook();
    m_pEditPanel->hide();
    m_pOptions->show();
    updateEnabled();
    if (wasEditing)
        emit EnableButtonsSignal(true);
}

void MacroDialog::showEditPanel(int row)
{
    m_pEditMove->hide();
    m_pEditDelay->hide();
    m_pEditValue->hide();
    m_pEditHint->setText(QString());
    m_pEditTitle->setText(QString());
    if (row < 0 || row >= m_pModel->rowCount() || m_pModel->isShownEmpty(row)) {
        removeHook();
        return;
    }
    const MacroRowValues shown = m_pModel->shownAction(row);
    const MacroAction action = macroAction(shown);
    switch (shown.map & 0x7F) {
    case kMacroKey:
        m_pEditTitle->setText(tr("KEY"));
        m_pEditValue->setText(keyNameOfUsage(shown.dataL));
        m_pEditValue->show();
        m_pEditHint->setText(tr("PRESS A KEY"));
        installHook();
        return;
    case kMacroMove: {
        removeHook();
        const std::optional<MoveDirection> direction = macroMoveDirection(action);
        const int index = direction
                              ? int(std::find(std::begin(kMoveDirections), std::end(kMoveDirections), *direction) -
                                    std::begin(kMoveDirections))
                              : -1;
        m_pEditTitle->setText(index >= 0 ? tr(kMoveTexts[index]) : QString());
        const QSignalBlocker block(m_pEditMove);
        m_pEditMove->setText(QString::number(macroMoveDistance(action)));
        m_pEditMove->setEnabled(direction.has_value());
        m_pEditMove->show();
        return;
    }
    case kMacroDelay: {
        removeHook();
        m_pEditTitle->setText(tr("DELAY(ms)"));
        const QSignalBlocker block(m_pEditDelay);
        m_pEditDelay->setText(QString::number(macroDelayMs(action)));
        m_pEditDelay->show();
        return;
    }
    default:
        removeHook();
        m_pEditTitle->setText(macroCellView(QString::number(shown.map), shown.dataH, shown.dataL, MacroColumnKey).text);
        m_pEditValue->setText(
            macroCellView(QString::number(shown.map), shown.dataH, shown.dataL, MacroColumnAction).text);
        m_pEditValue->show();
        return;
    }
}

void MacroDialog::handleKeyEvent(const RawKeyEvent &event)
{
    if (!m_bHook)
        return;
    if (m_bEditing) {
        const int row = currentRow();
        const int usage = m_Recorder.editKey(event);
        if (usage < 0 || row < 0 || (m_pModel->shownAction(row).map & 0x7F) != kMacroKey)
            return;
        MacroRowValues values = m_pModel->shownAction(row);
        values.dataH = 0;
        values.dataL = usage;
        m_pModel->setAction(row, values);
        m_pEditValue->setText(keyNameOfUsage(usage));
        return;
    }
    if (m_bRecording)
        appendRows(m_Recorder.record(event, m_pModel->rowCount()));
}

void MacroDialog::installHook()
{
    if (m_bHook)
        return;
    m_bHook = true;
    m_pHook = KeyboardHook::install([this](std::uint32_t &scanCode, std::uint32_t flags, std::int64_t timeMs) {
        RawKeyEvent raw;
        raw.scanCode = scanCode;
        raw.flags = flags;
        // The hook tells right Alt by its virtual key.
        raw.virtualKey = scanCode == kScanAlt && (flags & kKeyFlagExtended) ? kVirtualKeyRightAlt : 0;
        raw.timeMs = timeMs;
        handleKeyEvent(raw);
        return false; // the macro watches keys, it never takes them from the system
    });
    if (!m_pHook)
        qWarning("No keyboard hook: keys are not recorded");
    setFocus(Qt::OtherFocusReason);
    grabKeyboard();
}

void MacroDialog::removeHook()
{
    if (!m_bHook)
        return;
    m_bHook = false;
    m_pHook.reset();
    releaseKeyboard();
}

bool MacroDialog::event(QEvent *event)
{
    if (m_bHook) {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Every key is the macro's: no shortcut may take it.
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // The hook has seen it already; no control may act on it.
            event->accept();
            return true;
        default:
            break;
        }
    }
    return TarnPage::event(event);
}

bool MacroDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pTree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && m_pTree->currentItem()) {
            TreeitemClick(m_pTree->currentItem(), 0);
            return true;
        }
    }
    return TarnPage::eventFilter(watched, event);
}

void MacroDialog::updateEnabled()
{
    const bool hasMacro = m_pMacroList->count() > 0 && !currentMacro().isEmpty();
    const bool idle = !m_bRecording && !m_bEditing;
    const bool hasRow = currentRow() >= 0;
    for (int c = 0; c < CommandCount; ++c) {
        bool enable = idle && hasMacro;
        switch (c) {
        case CmdNew:
        case CmdImport:
        case CmdBatch:
        case CmdGunSet:
            enable = idle;
            break;
        case CmdStop:
            enable = m_bRecording;
            break;
        case CmdSave:
        case CmdCancel:
            enable = hasMacro && !m_bRecording;
            break;
        case CmdEdit:
        case CmdDeleteAction:
        case CmdMoveUp:
        case CmdMoveDown:
        case CmdTop:
        case CmdBottom:
            enable = enable && hasRow;
            break;
        default:
            break;
        }
        m_aButtons[std::size_t(c)]->setEnabled(enable);
    }
    m_pMacroList->setEnabled(idle);
    m_pNameEdit->setEnabled(idle && hasMacro);
    m_pOptions->setEnabled(idle && hasMacro);
    m_pTree->setEnabled(idle && hasMacro);
    m_pTable->setEnabled(!m_bRecording);
}

// ---- rows ----

int MacroDialog::currentRow() const
{
    const QModelIndex index = m_pTable->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void MacroDialog::selectRow(int row)
{
    if (row < 0 || row >= m_pModel->rowCount()) {
        m_pTable->setCurrentIndex(QModelIndex());
        updateEnabled();
        return;
    }
    const QModelIndex index = m_pModel->index(row, 0);
    m_pTable->setCurrentIndex(index);
    m_pTable->scrollTo(index);
    updateEnabled();
}

bool MacroDialog::insertRows(const std::vector<MacroAction> &rows)
{
    if (rows.empty())
        return false;
    if (m_pModel->rowCount() + int(rows.size()) > kMaxMacroActions) {
        warn(tr("A MACRO HOLDS AT MOST %1 ACTIONS.").arg(kMaxMacroActions));
        return false;
    }
    int at = currentRow() + 1;
    if (at <= 0)
        at = m_pModel->rowCount();
    for (const MacroAction &a : rows)
        m_pModel->insertAction(at++, rowValues(a), rowValues(a));
    selectRow(at - 1);
    return true;
}

void MacroDialog::appendRows(const std::vector<MacroAction> &rows)
{
    for (const MacroAction &a : rows)
        m_pModel->insertAction(m_pModel->rowCount(), rowValues(a), rowValues(a));
    if (!rows.empty())
        selectRow(m_pModel->rowCount() - 1);
}

void MacroDialog::moveRow(int from, int to)
{
    const QList<QStandardItem *> items = m_pModel->takeRow(from);
    m_pModel->insertRow(to, items);
    selectRow(to);
}

std::vector<MacroAction> MacroDialog::shownRows() const
{
    std::vector<MacroAction> rows;
    for (int row = 0; row < m_pModel->rowCount(); ++row)
        rows.push_back(macroAction(m_pModel->shownAction(row)));
    return rows;
}

int MacroDialog::defaultDelayMs() const
{
    return std::clamp(m_pDefaultDelayEdit->text().toInt(), 0, kMaxDefaultDelayMs);
}

// ---- options ----

void MacroDialog::setDelayType(int type)
{
    m_iDelayType = type;
    for (int i = 0; i < 2; ++i) {
        m_aDelayBox[std::size_t(i)]->setChecked(type == i + 1);
        showCheckState(m_aDelayBox[std::size_t(i)]);
    }
}

void MacroDialog::setLoopType(int type)
{
    for (int i = 0; i < 3; ++i) {
        m_aLoopRadio[std::size_t(i)]->setChecked(type == i + 1);
        showCheckState(m_aLoopRadio[std::size_t(i)]);
    }
}

int MacroDialog::loopType() const
{
    for (int i = 0; i < 3; ++i) {
        if (m_aLoopRadio[std::size_t(i)]->isChecked())
            return i + 1;
    }
    return 0;
}

void MacroDialog::showCheckState(TarnPushButton *button)
{
    const bool radio = std::find(m_aLoopRadio.begin(), m_aLoopRadio.end(), button) != m_aLoopRadio.end();
    if (radio)
        button->setIconFile(button->isChecked() ? kRadioOn : kRadioOff);
    else
        button->setIconFile(button->isChecked() ? kCheckOn : kCheckOff);
}

void MacroDialog::checkbtn_clicked()
{
    auto *button = qobject_cast<TarnPushButton *>(sender());
    if (!button)
        return;
    // The button has already flipped its own checked state.
    for (int i = 0; i < 2; ++i) {
        if (m_aDelayBox[std::size_t(i)] == button) {
            setDelayType(button->isChecked() ? i + 1 : MacroDelayNone);
            return;
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (m_aLoopRadio[std::size_t(i)] == button) {
            setLoopType(button->isChecked() ? i + 1 : 0);
            return;
        }
    }
}

void MacroDialog::message(const QString &heading, const QString &text)
{
    if (m_Dialogs.message) {
        m_Dialogs.message(this, heading, text);
        return;
    }
    TarnMessageBox box(TarnMessageBox::Warning, QString(), heading, text, this);
    box.exec();
}

void MacroDialog::warn(const QString &text)
{
    message(tr("Warning"), text);
}

// ---- slots of the table, the tree and the edits ----

void MacroDialog::TreeitemClick(QTreeWidgetItem *item, int)
{
    if (!item || !m_pTree->isEnabled())
        return;
    QTreeWidgetItem *parent = item->parent();
    const int top = m_pTree->indexOfTopLevelItem(parent ? parent : item);
    if (top < 0)
        return;
    if (top >= kTreeButtons) {
        const int move = top - kTreeButtons;
        insertRows(macroMoveRows(kMoveDirections[move], m_aMoveEdit[std::size_t(move)]->text().toInt(), m_iDelayType,
                                 defaultDelayMs()));
        return;
    }
    if (parent) {
        const MouseInsert what = parent->indexOfChild(item) == 0 ? MouseInsert::Press : MouseInsert::Release;
        insertRows(macroButtonRows(top, what, m_iDelayType, defaultDelayMs()));
        return;
    }
    if (!item->isExpanded()) {
        for (int i = 0; i < kTreeButtons; ++i)
            m_pTree->topLevelItem(i)->setExpanded(i == top);
        return;
    }
    insertRows(macroButtonRows(top, MouseInsert::Click, m_iDelayType, defaultDelayMs()));
}

void MacroDialog::itemClicked(QModelIndex index)
{
    if (m_bEditing && index.isValid())
        showEditPanel(index.row());
}

void MacroDialog::EditMoveChanged(QString text)
{
    const int row = currentRow();
    if (!m_bEditing || row < 0 || (m_pModel->shownAction(row).map & 0x7F) != kMacroMove)
        return;
    bool ok = false;
    const int distance = text.toInt(&ok);
    const std::optional<MoveDirection> direction = macroMoveDirection(macroAction(m_pModel->shownAction(row)));
    if (!ok || !direction || distance < kMinMoveDistance || distance > kMaxMoveDistance)
        return;
    m_pModel->setAction(row, rowValues(macroMoveAction(*direction, distance)));
}

void MacroDialog::EditDelayChanged(QString text)
{
    const int row = currentRow();
    if (!m_bEditing || row < 0 || (m_pModel->shownAction(row).map & 0x7F) != kMacroDelay)
        return;
    bool ok = false;
    const int ms = text.toInt(&ok);
    if (!ok || ms < kMinEditDelayMs || ms > kMaxEditDelayMs)
        return;
    m_pModel->setAction(row, rowValues(macroDelayAction(ms)));
}

void MacroDialog::DefDelayChanged(QString text)
{
    qDebug("DefDelayChanged %s", qPrintable(text));
}

void MacroDialog::LoopTimeChanged(QString text)
{
    qDebug("LoopTimeChanged %s", qPrintable(text));
}

void MacroDialog::CurrentChanged(QModelIndex current, QModelIndex)
{
    if (m_bEditing)
        showEditPanel(current.isValid() ? current.row() : -1);
    updateEnabled();
}

void MacroDialog::mousemove_test() {}

void MacroDialog::TarnItemPressed() {}

void MacroDialog::SelectRow(int row)
{
    qDebug("SelectRow %d", row);
}
