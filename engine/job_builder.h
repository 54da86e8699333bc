#pragma once

// Builds one encoder job: the output name and every piece of the command line
// from the row, the current profile and the settings window's choices. The
// launchers join the pieces; nothing here starts a process.

#include "engine/engine_state.h"
#include "engine/records.h"
#include "engine/settings_model.h"

#include <QString>
#include <stdexcept>

// The skin's job texts ("filename", "filesize", "filepath", "usedtime",
// "resttime"); the main window sets and refreshes the skin objects.
class JobTextDisplay {
public:
    virtual ~JobTextDisplay() = default;
    virtual void setJobText(const QString &object, const QString &text) = 0;
};

// The frame-size text cannot be given to the encoder.
class FrameSizeError : public std::runtime_error {
public:
    explicit FrameSizeError(const QString &sizeText);
    QString sizeText() const { return m_sizeText; }

private:
    QString m_sizeText;
};

// Whether the frame-size text of the settings window can be used for the
// current profile: "WxH" with two positive whole numbers, optionally followed
// directly by a "(note)"; "PAL" or "NTSC" for the disc targets; anything while
// the list is disabled (no video).
bool IsUsableFrameSize(const EngineState &state, const SettingsModel &settings);
// The message that refuses an unusable frame size (the window's own
// "invalid height or width" text, with the text in question); empty when usable.
QString FrameSizeRefusal(const EngineState &state, const SettingsModel &settings, const LugLookup &lug);

QString BuildSizeArg(const EngineState &state, const SettingsModel &settings);
// Throws FrameSizeError when the size piece holds no two positive numbers.
QString BuildAspectArg(const QString &sizePiece, const EngineState &state, const SettingsModel &settings);
// rowFrameSize: the source frame size of the job's own row (height-rated profiles
// take the height from it when the last frame-size item is chosen).
QString BuildVideoBitrateArg(const EngineState &state, const SettingsModel &settings, const QString &rowFrameSize);
QString BuildAudioBitrateArg(const EngineState &state, const SettingsModel &settings);
QString BuildAudioRateArg(const QString &audioPiece, const EngineState &state, const SettingsModel &settings);
// rowChannels: the source's channels text for file rows; DVD rows pass nullptr.
QString BuildChannelsArg(const EngineState &state, const SettingsModel &settings, const QString *rowChannels);
// " -target pal-vcd " and the like for 112..114; empty for every other profile.
QString BuildDiscTargetOptions(const EngineState &state, const SettingsModel &settings);
// " -t hh:mm:ss"; empty for a clip under one second (length 0), so that the
// whole source converts instead of nothing.
QString BuildDurationArg(int clipSeconds);

// A typed output folder as the program keeps it: a relative one made
// absolute against the home folder (the encoders run in the program's own
// folder, so a relative name would mean another place to them), "~" and
// "~/..." taken as the home folder, "." and ".." resolved; an empty text stays empty.
QString AbsoluteOutputFolder(const QString &typed, const QString &home);

// The name with its extension (from the last "." on) replaced; appended when it has none.
QString ChangeFileExt(const QString &name, const QString &ext);

// The output-name rule on `folder`: the folder is created when missing (one
// level, a failure is not reported), "/" is appended, and the first of
// folder + stem + the profile extension, folder + caption + "_1" + extension,
// "_2", ... that neither exists nor was handed out in this run is returned.
// A file row's stem is its whole caption (the source name less its own
// extension, so "Movie.2010.720p" keeps every part); a DVD row's is its name
// less what follows its last ".". Every name fits a file name: a stem or
// caption too long for it is shortened (whole characters) before the number
// and the extension.
QString UniqueOutputPath(const QString &folder, const QString &stem, const QString &caption,
                         const QString &ext, const QSet<QString> &handedOut);

// Claims the output of a job that starts now: `planned` when it is still
// free, else the next free name of the rule. The name is created empty and
// exclusively, so a file that appeared after the run began (or appears
// meanwhile) is never written over: the encoder's -y only ever meets the
// run's own file. The claimed name is added to handedOut. When a name cannot
// be created for another reason (the folder went away), it is returned
// unclaimed and the encoder reports the failure.
QString ClaimOutputPath(const QString &planned, const OutputName &name, QSet<QString> &handedOut);

// The encoder wrote into the output: it is a file and not empty.
bool OutputWritten(const QString &path);
// Removes a claimed output the encoder wrote nothing into.
void RemoveUnwrittenOutput(const QString &path);

// The most bytes a file name may have.
inline constexpr int kMaxFileNameBytes = 255;
// The longest start of `base`, in whole characters, that leaves room for
// `suffix` in one file name.
QString FitFileNameBase(const QString &base, const QString &suffix);
// Whether every output name the rule above can make from caption fits a file
// name: caption, the longest "_n" and ext, counted in bytes of UTF-8.
bool CaptionFitsFileName(const QString &caption, const QString &ext);

// File row: fills the current job (its planned output and how it is named)
// and records the output as handed out; a clip
// that begins after 0 s gets its start as the extra option (" -ss hh:mm:ss").
// Throws FrameSizeError (before anything changes) for an unusable frame size.
void BuildFileJob(EngineState &state, const SettingsModel &settings, const QString &caption,
                  const Toriginalinfo &info, const ClipRange &clip);
// DVD row, built when its rip starts: input is the row's "vts://" address,
// whose sectors bound the rip, so there is no duration piece (the clip seconds
// still divide the progress); caption as the list shows it; the output is
// claimed at once.
void BuildDvdJob(EngineState &state, const SettingsModel &settings, const QString &caption,
                 const Toriginalinfo &info, const TConvertInfo &dvd, const QString &input);

// The DVD run's name for the next job, from the shared output folder and the
// whole caption; sets the current job's output and the skin's job texts.
QString MakeUniqueOutputName(EngineState &state, const QString &caption, JobTextDisplay &texts);
