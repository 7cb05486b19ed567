#pragma once
// The language button's menu: the languages the configuration lists, the
// translator of the chosen one, and storing the choice.

#include <QObject>
#include <QStringList>

class QAction;
class QTranslator;
class QWidget;
class TarnMenu;
class TarnPushButton;
class TarnUi;
struct StorageDirs;

class MousecfgLanguage : public QObject
{
    Q_OBJECT
public:
    // Reads the language list. window: parent of this object and of the menu.
    // dirs and ui must outlive it.
    MousecfgLanguage(const StorageDirs &dirs, TarnUi &ui, QWidget *window);

    // Gives button its menu and the name of the current language.
    void buildMenu(TarnPushButton *button);
    // Installs the language's translation in place of the current one when its
    // file loads; otherwise the current one stays.
    bool loadTranslation(int lang);
    void relayout();

signals:
    // A chosen language's translation is installed: the texts must be set again.
    void translationChanged();

private:
    void onLanguageChosen(QAction *action);

    const StorageDirs &m_Dirs;
    TarnUi &m_Ui;
    QWidget *m_pWindow = nullptr;
    QTranslator *m_pTranslator = nullptr; // the installed one, if any
    int m_iLangCount = 0;
    QStringList m_LangNames;
    QStringList m_LangFiles;
    TarnPushButton *m_pLangBtn = nullptr;
    TarnMenu *m_pLangMenu = nullptr;
};
