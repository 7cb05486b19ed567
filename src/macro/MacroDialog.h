#pragma once
// The macro page on the "MACRO" tab: the stored macros, the actions of the
// open one, recording from the keyboard, hand-inserted mouse actions, pointer
// moves and delays, the edit panels, the delay and loop options, and the file
// commands (new, delete, rename, import, export, gun set).
//
// The rules live below the widgets: MacroRecorder records, MacroEditing builds
// and shows rows, MacroLibrary keeps the files and the registry in step. While
// recording or editing a key, the keyboard hook hands every key event to
// handleKeyEvent and passes it on; the page holds the keyboard meanwhile, so
// no key reaches a control or a shortcut.

#include "MacroLibrary.h"
#include "MacroRecorder.h"
#include "TarnPage.h"

class KeyboardHook;

#include <QModelIndex>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class MouseSession;
class QLineEdit;
class QListWidget;
class QTableView;
class QTreeWidgetItem;
class TarnItemModel;
class TarnLabel;
class TarnMacroItemDelegate;
class TarnPushButton;
class TarnTreeWidget;

class MacroDialog : public TarnPage
{
    Q_OBJECT
public:
    // Every button of the page, for the one click handler.
    enum Command {
        CmdNew,
        CmdDeleteMacro,
        CmdChangeName,
        CmdImport,
        CmdExport,
        CmdBatch,
        CmdGunSet,
        CmdStart,
        CmdStop,
        CmdEdit,
        CmdSave,
        CmdCancel,
        CmdDeleteAction,
        CmdMoveUp,
        CmdMoveDown,
        CmdTop,
        CmdBottom,
        CmdClear,
        CmdInsertDelay,
        CommandCount
    };
    Q_ENUM(Command)

    // What the page asks of the user outside itself; each one left empty
    // uses the file dialogs, the message box and the gun-set dialog.
    struct Dialogs
    {
        std::function<QStringList(QWidget *parent, bool several)> openFiles;
        std::function<QString(QWidget *parent, const QString &suggestion)> saveFile; // overwriting confirmed
        std::function<QString(QWidget *parent)> directory;
        std::function<void(QWidget *parent, const QString &heading, const QString &text)> message;
        // Runs the gun-set dialog: true and its name and actions when accepted.
        std::function<bool(QWidget *parent, QString &name, std::vector<MacroAction> &actions)> gunSet;
    };

    explicit MacroDialog(MouseSession &session, QWidget *parent = nullptr);
    ~MacroDialog() override;

    void setDialogs(const Dialogs &dialogs) { m_Dialogs = dialogs; }

    // Macros belong to no profile: showing a profile leaves the page as it is.
    void load(const ProfileData &profile) override;
    void retranslate() override;
    void relayout() override;

    // Runs a button's command, as a click on it does.
    void runCommand(Command command);
    TarnPushButton *commandButton(Command command) const;

    // One key event from the keyboard hook: to the key editor in edit mode,
    // to the recorder while recording, ignored otherwise.
    void handleKeyEvent(const RawKeyEvent &event);

    bool isRecording() const { return m_bRecording; }
    bool isEditing() const { return m_bEditing; }
    bool isBatch() const { return m_bBatch; }
    bool holdsKeyboard() const { return m_bHook; }
    int delayType() const { return m_iDelayType; }
    QString currentMacro() const;

    TarnItemModel *actionModel() const { return m_pModel; }
    QTableView *actionView() const { return m_pTable; }
    QListWidget *macroList() const { return m_pMacroList; }
    QLineEdit *nameEdit() const { return m_pNameEdit; }
    QLineEdit *defaultDelayEdit() const { return m_pDefaultDelayEdit; }
    QLineEdit *loopTimeEdit() const { return m_pLoopTimeEdit; }
    QLineEdit *moveDistanceEdit(int move) const;
    QLineEdit *editMoveEdit() const { return m_pEditMove; }
    QLineEdit *editDelayEdit() const { return m_pEditDelay; }
    TarnLabel *editKeyLabel() const { return m_pEditValue; }
    TarnTreeWidget *actionTree() const { return m_pTree; }
    TarnPushButton *delayBox(int type) const;  // 1 or 2
    TarnPushButton *loopRadio(int type) const; // 1..3
    QWidget *optionsPanel() const { return m_pOptions; }
    QWidget *editPanel() const { return m_pEditPanel; }

signals:
    void EnableButtonsSignal(bool bEnable);

public slots:
    void TreeitemClick(QTreeWidgetItem *item, int column);
    void itemClicked(QModelIndex index);
    void EditMoveChanged(QString text);
    void EditDelayChanged(QString text);
    void DefDelayChanged(QString text);
    void LoopTimeChanged(QString text);
    void CurrentChanged(QModelIndex current, QModelIndex previous);
    void mousemove_test();
    void TarnItemPressed();
    void checkbtn_clicked();
    void SelectRow(int row);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildOptions();
    void buildEditPanel();
    void buildTree();
    void placeWidgets();
    void styleWidgets();

    // files and the list
    void rebuildList(const QString &select);
    void openMacro(const QString &name);
    void saveOpenMacro();
    void resetOptions();
    void newMacro();
    void deleteMacro();
    void changeName();
    void importMacros();
    void exportMacros();
    void gunSet();
    void addToList(const QString &name);

    // recording and editing
    void startRecording();
    void stopRecording();
    void startEdit();
    void endEdit(bool save);
    void showEditPanel(int row);
    void installHook();
    void removeHook();
    void updateEnabled();

    // rows
    int currentRow() const;
    void selectRow(int row);
    bool insertRows(const std::vector<MacroAction> &rows);
    void appendRows(const std::vector<MacroAction> &rows);
    void moveRow(int from, int to);
    std::vector<MacroAction> shownRows() const;
    int defaultDelayMs() const;

    void setDelayType(int type);
    void setLoopType(int type);
    int loopType() const;
    void showCheckState(TarnPushButton *button);
    void message(const QString &heading, const QString &text);
    void warn(const QString &text);

    MouseSession &m_Session;
    MacroLibrary m_Library;
    MacroRecorder m_Recorder;
    Dialogs m_Dialogs;

    bool m_bRecording = false;
    bool m_bEditing = false;
    bool m_bBatch = false;
    bool m_bHook = false;
    std::unique_ptr<KeyboardHook> m_pHook;
    int m_iDelayType = MacroDelayNone;

    std::array<TarnPushButton *, CommandCount> m_aButtons{};
    QListWidget *m_pMacroList = nullptr;
    QLineEdit *m_pNameEdit = nullptr;
    QTableView *m_pTable = nullptr;
    TarnItemModel *m_pModel = nullptr;
    TarnMacroItemDelegate *m_pDelegate = nullptr;

    QWidget *m_pOptions = nullptr;
    std::array<TarnPushButton *, 2> m_aDelayBox{};
    std::array<TarnLabel *, 2> m_aDelayLabel{};
    QLineEdit *m_pDefaultDelayEdit = nullptr;
    TarnLabel *m_pDefaultDelayUnit = nullptr;
    std::array<TarnPushButton *, 3> m_aLoopRadio{};
    std::array<TarnLabel *, 3> m_aLoopLabel{};
    QLineEdit *m_pLoopTimeEdit = nullptr;

    QWidget *m_pEditPanel = nullptr;
    TarnLabel *m_pEditTitle = nullptr;
    TarnLabel *m_pEditValue = nullptr;
    TarnLabel *m_pEditHint = nullptr;
    QLineEdit *m_pEditMove = nullptr;
    QLineEdit *m_pEditDelay = nullptr;

    TarnTreeWidget *m_pTree = nullptr;
    std::array<QLineEdit *, 4> m_aMoveEdit{};
};
