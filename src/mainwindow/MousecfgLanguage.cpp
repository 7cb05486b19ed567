#include "MousecfgLanguage.h"

#include "ConfigFile.h"
#include "StorageDirs.h"
#include "StoragePaths.h"
#include "TarnAction.h"
#include "TarnMenu.h"
#include "TarnPushButton.h"
#include "TarnUi.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTranslator>

#include <algorithm>

MousecfgLanguage::MousecfgLanguage(const StorageDirs &dirs, TarnUi &ui, QWidget *window)
    : QObject(window)
    , m_Dirs(dirs)
    , m_Ui(ui)
    , m_pWindow(window)
{
    LanguageList languages;
    readLanguageList(m_Dirs, languages);
    m_iLangCount = std::max(0, std::min(languages.count, kMaxLanguages));
    if (m_iLangCount != languages.count)
        qWarning("FONT_LIST/LANGNUM %d is outside 0..%d", languages.count, kMaxLanguages);
    for (const LanguageEntry &entry : languages.entries) {
        m_LangNames.append(entry.name);
        m_LangFiles.append(entry.file);
    }
}

void MousecfgLanguage::buildMenu(TarnPushButton *button)
{
    m_pLangBtn = button;
    m_pLangMenu = new TarnMenu(m_pWindow);
    m_pLangMenu->setObjectName(QStringLiteral("languageMenu"));
    for (int i = 0; i < m_iLangCount; ++i) {
        auto *action = new TarnAction(m_LangNames.value(i), m_pLangMenu);
        action->setData(i);
        m_pLangMenu->addAction(action);
    }
    m_pLangMenu->setFixedWidth(m_Ui.scaled(105));
    m_Ui.applyMenuStyle(m_pLangMenu);
    connect(m_pLangMenu, &QMenu::triggered, this, &MousecfgLanguage::onLanguageChosen);
    m_pLangBtn->setMenu(m_pLangMenu);
    m_pLangBtn->setText(m_LangNames.value(m_Ui.langId()));
}

bool MousecfgLanguage::loadTranslation(int lang)
{
    const QString file = m_LangFiles.value(lang);
    if (!isSafeFileName(file)) {
        qDebug("no usable translation file for language %d", lang);
        return false;
    }
    // QTranslator::load() empties the translator before it opens the file: a
    // fresh one keeps the installed translation whole when the file is missing.
    auto *next = new QTranslator(this);
    if (!next->load(m_Dirs.appDir + QStringLiteral("/lang/") + file + QStringLiteral(".qm"))) {
        qDebug("translation %s.qm not loaded; texts unchanged", qPrintable(file));
        delete next;
        return false;
    }
    if (m_pTranslator) {
        QCoreApplication::removeTranslator(m_pTranslator);
        delete m_pTranslator;
    }
    m_pTranslator = next;
    QCoreApplication::installTranslator(m_pTranslator);
    return true;
}

void MousecfgLanguage::relayout()
{
    if (m_pLangMenu)
        m_pLangMenu->setFixedWidth(m_Ui.scaled(105));
}

void MousecfgLanguage::onLanguageChosen(QAction *action)
{
    const int lang = action->data().toInt();
    if (lang < 0 || lang >= m_iLangCount)
        return;
    m_Ui.setLangId(lang);
    const bool loaded = loadTranslation(lang);
    m_pLangBtn->setText(m_LangNames.value(lang));
    writeLangId(m_Dirs, lang);
    if (loaded)
        emit translationChanged();
}
