#include "platform/paths/program_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>

ProgramPaths::ProgramPaths(const char *argv0)
    : m_configFolder(ConfigFolderFromEnvironment([](const char *name) { return QFile::decodeName(std::getenv(name)); }))
{
    const QFileInfo binary(RunningExecutablePath());
    m_executableFolder = binary.absolutePath();
    m_executableName = LogicalExecutableName(QFile::decodeName(argv0 ? argv0 : ""));
    // Started with an empty argv[0]: the binary's own name is the only name there is.
    if (m_executableName.isEmpty())
        m_executableName = binary.fileName();
}

ProgramPaths::ProgramPaths(QString executableFolder, QString executableName, QString configFolder)
    : m_executableFolder(std::move(executableFolder)),
      m_executableName(std::move(executableName)),
      m_configFolder(std::move(configFolder))
{
}

QString ProgramPaths::settingsBaseName() const { return SettingsBaseName(m_executableName); }

QString ProgramPaths::besideExecutable(const QString &fileName) const
{
    return QDir(m_executableFolder).filePath(fileName);
}

QString ProgramPaths::configFile(const QString &bareName) const
{
    return QDir(m_configFolder).filePath(bareName);
}

QString LogicalExecutableName(const QString &argv0)
{
    return argv0.mid(argv0.lastIndexOf(u'/') + 1);
}

QString SettingsBaseName(const QString &executableName)
{
    if (executableName.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        return executableName.chopped(4);
    return executableName;
}

QString ConfigFolderFromEnvironment(const std::function<QString(const char *)> &getenv)
{
    const QString own = getenv("RAVENMOOR_CONFIG_DIR");
    if (!own.isEmpty())
        return QDir::cleanPath(QFileInfo(own).absoluteFilePath());
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules say.
    const QString xdg = getenv("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg + QStringLiteral("/ravenmoor"));
    QString home = getenv("HOME");
    if (home.isEmpty())
        home = QDir::homePath();
    return QDir::cleanPath(home + QStringLiteral("/.config/ravenmoor"));
}

QString RunningExecutablePath()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}
