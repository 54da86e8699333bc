#include "engine/job_messages.h"

#include "engine/encoder_progress.h"
#include "engine/records.h"
#include "engine/source_list.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A message longer than this is cut: it is shown in a tooltip.
constexpr qsizetype kMaxNote = 1000;

} // namespace

void JobMessages::read(const QString &line)
{
    const QString text = line.trimmed().left(kMaxNote);
    if (text.isEmpty() || ParseEncoderSeconds(text) > 0)
        return;
    m_last = text;
    if (text.contains(QLatin1String("warning: ")))
        m_warning = text;
}

void JobMessages::clear()
{
    m_last.clear();
    m_warning.clear();
}

QString FailureNote(const JobMessages &messages, quint32 exitCode, bool outputWritten)
{
    if (!messages.lastLine().isEmpty())
        return messages.lastLine();
    if (exitCode != 0)
        return QStringLiteral("the encoder ended with code %1 and said nothing").arg(exitCode);
    return outputWritten ? QString() : QStringLiteral("the encoder ended without writing the output");
}

void EndRow(SourceList &list, int row, const QString &status, const QString &note, const intputrec &job,
            const QString &logPath)
{
    if (row >= 0 && row < list.rowCount()) {
        list.setStatus(row, status);
        list.setNote(row, note);
    }
    if (note.isEmpty() || logPath.isEmpty())
        return;
    QDir().mkpath(QFileInfo(logPath).absolutePath());
    QFile log(logPath);
    if (!log.open(QIODevice::Append | QIODevice::Text))
        return;
    const QString line = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) +
                         QStringLiteral("  ") + status + QStringLiteral("  ") + job.input + QStringLiteral(" -> ") +
                         job.output + QStringLiteral(": ") + note + u'\n';
    log.write(line.toUtf8());
}
