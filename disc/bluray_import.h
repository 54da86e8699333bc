#pragma once

// The Blu-ray import: a disc folder's playlists become file rows of the
// source list (see bluray_titles.h), with the disc probe program
// "profile.dat" run on the disc around the reading. The probe is repeated
// until the hand-shake file "ides" beside the program is non-empty, at most
// kProbeRepeats times and never longer than RepeatBound; each run is waited
// for in the event loop. No command of the window calls the import yet.

#include "disc/bluray_info.h"

#include <QString>
#include <QVector>
#include <chrono>
#include <stdexcept>
#include <functional>

class LanguageTexts;
class MediaProbe;
class PlaylistParser;
class SourceList;
struct EngineState;

// The hand-shake file could not be opened or written; the text names it and says why.
class HandshakeFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct BlurayImportHooks {
    std::function<void()> updateControlStates;
    std::function<void()> lvClick;
    // One round of pending window events.
    std::function<void()> pumpMessages;
    // The "Output Size" text for `seconds` of the engine state's estimate row.
    std::function<QString(int32_t seconds)> estimatedSize;
};

// The probe's command line: the quoted program, " -s " and the quoted folder
// (the probe finds the drive that holds it).
QString DiscProbeCommandLine(const QString &programFolder, const QString &folder);

class BlurayImport {
public:
    static constexpr int kProbeRepeats = 51;

    // probe is the window's media probe; programFolder holds profile.dat and ides.
    BlurayImport(EngineState &engine, SourceList &list, const LanguageTexts &texts, MediaProbe &probe,
                 PlaylistParser &parser, QString programFolder, BlurayImportHooks hooks);

    // A bound for each probe run and for the whole repetition.
    std::chrono::milliseconds ProbeTimeout{10000};
    std::chrono::milliseconds RepeatBound{30000};

    // The whole import of the disc `folder` belongs to. A second call while
    // one runs (events are handled meanwhile) does nothing. Throws
    // HandshakeFileError, before any probe, when "ides" cannot be opened and
    // written, and what the runner throws when profile.dat cannot be started.
    void ImportBluRayDisc(const QString &folder);
    // Runs profile.dat once on the folder's drive and waits for its end;
    // nothing when another probe is running.
    void RunDiscProbe(const QString &folder);

    // The playlist of every row the last import made, by row.
    const QVector<TBlurayinfo> &titles() const { return m_titles; }
    bool isBusy() const { return m_busy; }

private:
    QString handshakePath() const;

    EngineState &m_engine;
    SourceList &m_list;
    const LanguageTexts &m_texts;
    MediaProbe &m_probe;
    PlaylistParser &m_parser;
    QString m_programFolder;
    BlurayImportHooks m_hooks;
    QVector<TBlurayinfo> m_titles;
    bool m_busy = false;
};
