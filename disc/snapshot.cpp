#include "disc/snapshot.h"

#include "disc/disc_state.h"
#include "disc/preview_control.h"
#include "engine/clip_part.h"
#include "engine/engine_state.h"
#include "engine/job_builder.h"
#include "engine/job_messages.h"
#include "engine/language_texts.h"
#include "engine/settings_model.h"
#include "engine/source_list.h"
#include "engine/text_helpers.h"
#include "platform/dialogs/dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kPictureExt = QStringLiteral(".bmp");

QString WithoutLeadingBlanks(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    return text.mid(i);
}

} // namespace

QString SnapshotFileName(const QString &folder, const QString &caption,
                         const std::function<bool(const QString &)> &exists)
{
    const QString bare = WithoutLeadingBlanks(caption);
    QString name = folder + ChangeFileExt(bare.mid(bare.lastIndexOf(u'/') + 1), kPictureExt);
    for (int n = 1; exists(name); ++n)
        name = folder + caption + u'_' + QString::number(n) + kPictureExt;
    return name;
}

intputrec SnapshotJob(const EngineState &state, const SettingsModel &settings, const QString &input,
                      const QString &playTime, int32_t rowSeconds, const QString &output)
{
    // A job of its own: nothing of the last conversion's job (its clip length
    // above all, by which a run judges an output short) may reach it.
    intputrec job;
    job.sizePiece = BuildSizeArg(state, settings);
    if (rowSeconds > 0 && HmsToSeconds(playTime) >= rowSeconds) {
        // The encoder writes the first frame it gets: the last second played
        // backwards starts with the file's last frame.
        job.extraOption = QStringLiteral(" -ss ") + SecondsToHms(rowSeconds - 1);
        job.durationPiece = QStringLiteral(" -t 1");
        job.profileOptions = QStringLiteral(" -vf reverse -f image2 ");
    } else {
        job.extraOption = QStringLiteral(" -ss ") + playTime;
        job.durationPiece = QStringLiteral(" -t 0.01");
        job.profileOptions = QStringLiteral(" -f image2 ");
    }
    job.output = output;
    job.input = input;
    return job;
}

void TakeSnapshot(const SnapshotTarget &t)
{
    const int row = t.disc.PreviewRow;
    if (t.list.rowCount() == 0 || row < 0 || row >= t.list.rowCount())
        return;
    if (!ClipPartUsable(t.list.clipRanges().value(row))) {
        t.dialogs.message(MessageKind::Warning, UnusablePartRefusal(t.texts, t.list.row(row).caption));
        return;
    }
    const Toriginalinfo source = t.list.originalInfo().value(row);
    const bool dvd = t.engine.sourceMode == SourceMode::DvdRows;
    // The probe found no video stream: the encoder would write nothing.
    if (!dvd && source.videoCodec.trimmed().isEmpty()) {
        t.dialogs.message(MessageKind::Warning,
                          t.texts.Lug(QStringLiteral("MessageDlg"),
                                      QStringLiteral("This row has no picture to save as a snapshot:")) +
                              QStringLiteral("\n") + t.list.row(row).caption);
        return;
    }
    QString folder = t.settings.ed_output;
    t.engine.outputFolder = folder;
    if (!folder.isEmpty() && !QFileInfo::exists(folder))
        QDir().mkpath(folder);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    const QString name =
        SnapshotFileName(folder, t.list.row(row).caption, [](const QString &path) { return QFileInfo::exists(path); });

    if (dvd) {
        if (t.preview.dvdPlayer().CatchPicture(name))
            return;
        t.dialogs.message(MessageKind::Warning,
                          t.texts.Lug(QStringLiteral("MessageDlg"), QStringLiteral("The picture could not be saved:")) +
                              QStringLiteral("\n") + name);
        // Told where the row's other failures are too; its status stays the preview's.
        intputrec shot;
        shot.input = t.disc.PlayAddress;
        shot.output = name;
        EndRow(t.list, row, t.list.row(row).subItems[SourceRow::Status],
               QStringLiteral("the snapshot could not be written: no picture on screen, or no room for it"), shot,
               t.engine.conversionLog);
        return;
    }
    const intputrec job = SnapshotJob(t.engine, t.settings, source.path, t.preview.playTimeText(),
                                      HmsToSeconds(source.duration), name);
    t.engine.currentJob = job;
    // Slot 0 reports to the row of its job's list index: that is the previewed
    // row now, and the job is the only one, so no other follows it.
    t.engine.countConvert.count = 1;
    t.engine.countConvert.index = {row};
    t.engine.jobs = {job};
    t.engine.currentRowIndex = 1;
    if (t.startSlotJob)
        t.startSlotJob(0, 0, job);
}
