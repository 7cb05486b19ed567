#pragma once
// The bottom commands of the main window: Apply, SAVE, LOAD1 and Reset All,
// the send behind the progress dialog and the message that follows it.

#include "StoredFile.h"

#include <QObject>

#include <functional>

class MouseSession;
class QWidget;

class MousecfgCommands : public QObject
{
    Q_OBJECT
public:
    // Asks for a configuration file to save (save) or to load; empty when the
    // user cancels.
    using FileChooser = std::function<QString(QWidget *parent, bool save)>;

    // window: parent of this object and of every dialog. chooser null: the
    // file dialogs. The session must outlive it.
    MousecfgCommands(MouseSession &session, FileChooser chooser, QWidget *window);

    void apply();
    void saveConfigFile();
    void loadConfigFile();
    void resetAll();

signals:
    // The pages' edits must be in the working copy when this returns.
    void editsWanted();
    // LOAD1 replaced the working copy, before it is sent.
    void configurationImported();
    // Reset All replaced the working copy, before it is sent.
    void profilesReset();

private:
    // The send procedure behind the progress dialog, then its message.
    void runSend(bool sendAll);
    void showStoreFailure(const StoreResult &store);
    QString chooseConfigFile(bool save);

    MouseSession &m_Session;
    FileChooser m_ChooseConfigFile;
    QWidget *m_pWindow = nullptr;
};
