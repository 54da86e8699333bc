#pragma once

// Where the program finds itself and keeps its settings. Built once in main()
// from argv[0] and passed by reference; nothing here is global.
// - executable folder: the folder of the running binary (/proc/self/exe), where
//   the data files and the stand-in encoders lie;
// - logical executable name: the file name of argv[0], so a link named
//   "ravenmoor-ipod" runs the iPod edition of the same binary;
// - settings base name: the logical name without a trailing ".exe";
// - config folder: where ini files opened by bare name live:
//   $RAVENMOOR_CONFIG_DIR, else $XDG_CONFIG_HOME/ravenmoor, else
//   ~/.config/ravenmoor. It is created by the first write into it.

#include <QString>
#include <functional>

class ProgramPaths {
public:
    // Reads /proc/self/exe and the environment; an empty argv[0] falls back to
    // the binary's own file name.
    explicit ProgramPaths(const char *argv0);
    ProgramPaths(QString executableFolder, QString executableName, QString configFolder);

    const QString &executableFolder() const { return m_executableFolder; }
    const QString &executableName() const { return m_executableName; }
    QString settingsBaseName() const;
    const QString &configFolder() const { return m_configFolder; }

    // A file beside the executable.
    QString besideExecutable(const QString &fileName) const;
    // The full path of an ini file opened by bare name.
    QString configFile(const QString &bareName) const;

private:
    QString m_executableFolder;
    QString m_executableName;
    QString m_configFolder;
};

// The file name of argv[0].
QString LogicalExecutableName(const QString &argv0);
// The name without a trailing ".exe" (any case); other names unchanged.
QString SettingsBaseName(const QString &executableName);
// The config folder from the environment (getenv answers one variable; an
// unset or empty variable counts as missing).
QString ConfigFolderFromEnvironment(const std::function<QString(const char *)> &getenv);
// The running binary, links resolved.
QString RunningExecutablePath();
