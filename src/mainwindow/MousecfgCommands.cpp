#include "MousecfgCommands.h"

#include "ConfigExchange.h"
#include "MouseSession.h"
#include "TarnMessageBox.h"
#include "TarnProcessDialog.h"

#include <QFileDialog>
#include <QFileInfo>

MousecfgCommands::MousecfgCommands(MouseSession &session, FileChooser chooser, QWidget *window)
    : QObject(window)
    , m_Session(session)
    , m_ChooseConfigFile(std::move(chooser))
    , m_pWindow(window)
{
}

void MousecfgCommands::apply()
{
    emit editsWanted();
    runSend(false);
}

void MousecfgCommands::runSend(bool sendAll)
{
    if (m_Session.isSending())
        return;
    TarnProcessDialog dialog;
    dialog.centerOn(m_pWindow);
    // Connected before the worker starts, so a send with nothing to do cannot
    // end before the dialog hears of it.
    connect(&m_Session, &MouseSession::sendFinished, &dialog, &TarnProcessDialog::slotProcessDlg);
    if (!m_Session.startSend(sendAll))
        return;
    dialog.exec();
    const SendOutcome &outcome = m_Session.lastOutcome();
    const DeviceResult result = outcome.result;
    if (!outcome.store.ok) {
        showStoreFailure(outcome.store);
        return;
    }
    if (result == kResultOk)
        return;
    const QString text =
        result == kResultAsleep ? tr("Mouse is sleeping or not connected.") : tr("Send data failed, please try again.");
    TarnMessageBox box(TarnMessageBox::Question, QString(), tr("Warning"), text, m_pWindow);
    box.setObjectName(QStringLiteral("sendResultBox"));
    box.exec();
}

QString MousecfgCommands::chooseConfigFile(bool save)
{
    if (m_ChooseConfigFile)
        return m_ChooseConfigFile(m_pWindow, save);
    if (save)
        return QFileDialog::getSaveFileName(m_pWindow, tr("Save Config File"), QString(), tr("Config File(*.conf)"));
    return QFileDialog::getOpenFileName(m_pWindow, tr("Load Config File"), QString(), tr("Config File(*.conf)"));
}

void MousecfgCommands::saveConfigFile()
{
    QString file = chooseConfigFile(true);
    if (file.isEmpty())
        return;
    // Not every file dialog adds the extension, and LOAD1 lists only .conf files.
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".conf");
    // What the pages show is what the file gets.
    emit editsWanted();
    if (!m_Session.exportConfiguration(file)) {
        qWarning("SAVE: %s could not be written", qPrintable(file));
        showStoreFailure(StoreResult::failure(file, tr("the file could not be written")));
    }
}

void MousecfgCommands::showStoreFailure(const StoreResult &store)
{
    TarnMessageBox box(TarnMessageBox::Warning, QString(), tr("Warning"),
                       tr("Cannot write %1: %2").arg(store.file, store.reason), m_pWindow);
    box.setObjectName(QStringLiteral("storeFailedBox"));
    box.exec();
}

void MousecfgCommands::loadConfigFile()
{
    const QString file = chooseConfigFile(false);
    if (file.isEmpty())
        return;
    QString problem;
    switch (m_Session.importConfiguration(file, &problem)) {
    case ImportStatus::WrongProduct: {
        TarnMessageBox box(TarnMessageBox::Warning, QString(), tr("Warning"),
                           tr("The file is not match current mouse!"), m_pWindow);
        box.setObjectName(QStringLiteral("wrongProductBox"));
        box.exec();
        return;
    }
    case ImportStatus::Unreadable:
        qWarning("LOAD1: %s is not a configuration file that can be read", qPrintable(file));
        return;
    case ImportStatus::Refused: {
        TarnMessageBox box(TarnMessageBox::Warning, QString(), tr("Warning"),
                           tr("The file cannot be loaded: %1").arg(problem), m_pWindow);
        box.setObjectName(QStringLiteral("fileRefusedBox"));
        box.exec();
        return;
    }
    case ImportStatus::Imported:
        break;
    }
    emit configurationImported();
    runSend(false);
}

void MousecfgCommands::resetAll()
{
    TarnMessageBox question(TarnMessageBox::Question, QString(), tr("Warning"),
                            tr("Are you sure you want reset all profiles?"), m_pWindow);
    question.setObjectName(QStringLiteral("resetQuestion"));
    if (question.exec() != QDialog::Accepted)
        return;
    m_Session.resetAll();
    emit profilesReset();
    runSend(true);
}
