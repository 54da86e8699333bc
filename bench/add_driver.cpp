// Adds the files given on the command line to a source list through the add
// files command, as if chosen in its dialog: each file probed through
// register.dat, the next ones probed ahead. Prints the rows added.
//   add_driver <bin dir> <files...>

#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/runner_source_probe.h"
#include "engine/source_list.h"
#include "engine/source_list_commands.h"
#include "platform/dialogs/recording_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: add_driver bin files...\n");
        return 2;
    }
    const QString bin = args[1];
    EngineState state;
    SourceList list;
    RecordingDialogs dialogs;
    dialogs.fileChoices = {args.mid(2)};
    const LanguageTexts texts(QDir(bin).filePath("language.info"), {}, [&] { return state.converting; });
    RunnerSourceProbe probe;
    SourceListCommands commands(list, state, texts, dialogs, probe, bin, {});
    commands.AddFilesDialog();
    std::printf("%d rows\n", list.rowCount());
    return list.rowCount() == args.size() - 2 ? 0 : 1;
}
