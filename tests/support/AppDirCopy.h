#pragma once
// A private copy of the assembled application directory (model description,
// Configs/, skin/ and lang/; no executables), so a window can read and write its
// files without touching the build's own. Removed with the object.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

class AppDirCopy
{
public:
    explicit AppDirCopy(const QString &from = QStringLiteral(MOUSECFG_APPDIR))
    {
        QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString rel = QDir(from).relativeFilePath(file);
            if (rel.startsWith(QLatin1String("Configs")) || rel.startsWith(QLatin1String("skin")) ||
                rel.startsWith(QLatin1String("lang/")) || rel == QLatin1String("DefaultProfile.bin")) {
                QDir().mkpath(QFileInfo(m_Dir.filePath(rel)).path());
                QFile::copy(file, m_Dir.filePath(rel));
            }
        }
    }
    QString path() const { return m_Dir.path(); }
    QString configIni() const { return m_Dir.filePath(QStringLiteral("Configs/Config.ini")); }
    void setModelKey(const QString &key, const QVariant &value)
    {
        QSettings ini(m_Dir.filePath(QStringLiteral("DefaultProfile.bin")), QSettings::IniFormat);
        ini.setValue(key, value);
    }
    void setConfigKey(const QString &key, const QVariant &value)
    {
        QSettings ini(configIni(), QSettings::IniFormat);
        ini.setValue(key, value);
    }
    QVariant configKey(const QString &key) const { return QSettings(configIni(), QSettings::IniFormat).value(key); }

private:
    QTemporaryDir m_Dir;
};
