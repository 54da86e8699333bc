#include "disc/bluray_import.h"

#include "disc/bluray_titles.h"
#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/media_probe.h"
#include "engine/quote_if_spaced.h"
#include "platform/bluray/language_library.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The hand-shake file is only ever opened, never made: a program folder
// without one has no probe to wait for.
int OpenHandshake(const QString &path)
{
    return ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
}

[[noreturn]] void FailHandshake(const QString &path, int error)
{
    throw HandshakeFileError(QStringLiteral("Cannot open file \"%1\". %2")
                                 .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(error)))
                                 .toStdString());
}

// Writes "o" over the file's first character; throws when it cannot.
void MarkHandshake(const QString &path)
{
    const int fd = OpenHandshake(path);
    if (fd < 0)
        FailHandshake(path, errno);
    const bool written = ::pwrite(fd, "o", 1, 0) == 1;
    const int error = errno;
    ::close(fd);
    if (!written)
        FailHandshake(path, error);
}

// The file's size; nothing when it cannot be opened.
std::optional<qint64> HandshakeSize(const QString &path)
{
    const int fd = OpenHandshake(path);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    const bool known = ::fstat(fd, &info) == 0;
    ::close(fd);
    return known ? std::optional<qint64>(info.st_size) : std::nullopt;
}

class BusyScope {
public:
    explicit BusyScope(bool &busy) : m_busy(busy) { m_busy = true; }
    ~BusyScope() { m_busy = false; }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    bool &m_busy;
};

} // namespace

QString DiscProbeCommandLine(const QString &programFolder, const QString &folder)
{
    return QuoteIfSpaced(QDir(programFolder).filePath(QStringLiteral("profile.dat"))) + QStringLiteral(" -s ") +
           QuoteIfSpaced(folder);
}

BlurayImport::BlurayImport(EngineState &engine, SourceList &list, const LanguageTexts &texts, MediaProbe &probe,
                           PlaylistParser &parser, QString programFolder, BlurayImportHooks hooks)
    : m_engine(engine), m_list(list), m_texts(texts), m_probe(probe), m_parser(parser),
      m_programFolder(std::move(programFolder)), m_hooks(std::move(hooks))
{
}

QString BlurayImport::handshakePath() const { return QDir(m_programFolder).filePath(QStringLiteral("ides")); }

void BlurayImport::RunDiscProbe(const QString &folder)
{
    m_engine.currentJob.probeProgram = QDir(m_programFolder).filePath(QStringLiteral("profile.dat"));
    if (m_probe.ProbeRunning())
        return;
    const std::chrono::milliseconds fileTimeout = m_probe.Timeout;
    m_probe.Timeout = ProbeTimeout;
    try {
        m_probe.StartProbe(DiscProbeCommandLine(m_programFolder, folder), m_programFolder);
    } catch (...) {
        m_probe.Timeout = fileTimeout;
        throw;
    }
    m_probe.Timeout = fileTimeout;
    m_probe.WaitForProbe();
}

void BlurayImport::ImportBluRayDisc(const QString &folder)
{
    if (m_busy)
        return;
    BusyScope busy(m_busy);
    // The probe answers through the hand-shake file: without it nothing is probed or read.
    MarkHandshake(handshakePath());
    RunDiscProbe(folder);

    const BlurayReadTarget target{m_list,
                                  m_engine,
                                  m_parser,
                                  [](const QString &code) { return getlag(code); },
                                  m_texts.Lug(QStringLiteral("Add"), QStringLiteral("Status")),
                                  m_hooks.estimatedSize,
                                  m_hooks.pumpMessages,
                                  m_hooks.lvClick};
    LoadBluRayTitles(folder, target, m_titles);

    QElapsedTimer repeating;
    repeating.start();
    for (int i = 0; i < kProbeRepeats && std::chrono::milliseconds(repeating.elapsed()) < RepeatBound; ++i) {
        RunDiscProbe(folder);
        const std::optional<qint64> size = HandshakeSize(handshakePath());
        if (!size || *size > 0)
            break;
    }
    m_engine.sourceMode = SourceMode::FileRows;
    if (m_hooks.updateControlStates)
        m_hooks.updateControlStates();
}
