// Converts the files given on the command line through the engine's file run,
// as Start does, and exits when the run has ended.
//   batch_driver <bin dir> <output dir> <slots> <video bit/s> <audio bit/s> <WxH> <options> <files...>

#include "engine/conversion_queue.h"
#include "engine/engine_state.h"
#include "engine/jv_encoder_runner.h"
#include "engine/language_texts.h"
#include "engine/source_list.h"
#include "engine/text_helpers.h"
#include "platform/dialogs/recording_dialogs.h"
#include "platform/shell/recording_shell.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 9) {
        std::fprintf(stderr, "usage: batch_driver bin out slots video audio size options files...\n");
        return 2;
    }
    const QString bin = args[1], out = args[2];
    EngineState state;
    state.ThCount = args[3].toInt() - 1;
    state.outputFolder = out;
    SourceList list;
    for (const QString &file : args.mid(8)) {
        const int row = list.appendRow({QFileInfo(file).completeBaseName(), {}, true, false});
        list.sizeArraysToRows();
        list.originalInfo()[row].path = file;
        list.clipRanges()[row].clipEnd = 10;
    }
    RecordingDialogs dialogs;
    RecordingShell shell;
    const LanguageTexts texts(QDir(bin).filePath("language.info"), {}, [&] { return state.converting; });

    ConversionHooks hooks;
    hooks.outputFolder = [&] { return out; };
    hooks.buildFileJob = [&](int row) {
        intputrec &job = state.currentJob;
        job.input = list.originalInfo()[row].path;
        job.output = QDir(out).filePath(list.row(row).caption + ".avi");
        job.workingFolder = bin;
        job.videoPiece = " -r 25 -b " + args[4];
        job.audioBitratePiece = " -ab " + args[5];
        job.channelsPiece = " -ac 2";
        const QStringList wh = args[6].split('x');
        job.aspectPiece = " -aspect " + QString::number(wh.value(0).toDouble() / wh.value(1).toDouble(), 'f', 4);
        job.sizePiece = " -s " + args[6];
        job.sampleRatePiece = " -ar 44100 ";
        job.profileOptions = args[7];
        job.clipSeconds = list.clipRanges()[row].clipEnd;
        job.durationPiece = " -t " + SecondsToHms(job.clipSeconds);
    };
    ConversionQueue queue(state, list, texts, dialogs, shell, [] { return std::make_unique<JvEncoderRunner>(); },
                          bin, hooks);
    QObject::connect(&queue, &ConversionQueue::runEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    queue.StartConversion();
    if (state.converting)
        app.exec();
    int failed = 0;
    for (int i = 0; i < list.rowCount(); ++i)
        failed += list.row(i).subItems[SourceRow::Status] != kStatusFinish;
    for (const auto &shown : dialogs.shown)
        std::fprintf(stderr, "%s\n", qPrintable(shown.text));
    return failed == 0 ? 0 : 1;
}
