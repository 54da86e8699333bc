#pragma once

// The engine's shared state: what the main window's module keeps for the
// conversion engine. Owned by the main window and passed by reference; plain
// data only, so every part can be tested with a state of its own.

#include "engine/records.h"

#include <QSet>
#include <QString>
#include <QVector>
#include <array>
#include <cstdint>

enum class SourceMode { FileRows, DvdRows };

struct EngineState {
    // --- Profiles -----------------------------------------------------------
    int currentProfile = 0;  // the ProfileNumber jobs are built for; saved as "selcetsubindex"
    int appliedProfile = 0;  // the profile SelectProfile last applied (its quality is on screen)
    int currentCategory = 0; // picker category of the open panel; saved as "selcetindex"
    QString profileCaption;  // "name(*.ext)"; keeps its text when a separator is shown
    // Video rates in kbit/s per video quality index 0 ("Higher") .. 4 ("Lower");
    // slot 0 "*" marks a profile without video.
    std::array<QString, 5> videoRateSlots;
    QString profileOptionString; // fourth line of the applied profile's group
    int currentEstimateRow = 0; // row whose source facts the size estimate reads
    bool settingsLoaded = false; // set once LoadSettings has finished

    // --- Lasting settings (settings file) ------------------------------------
    QString outputFolder;  // shared output folder, also set at every job build
    int FinishSelcet = 0;  // after-finish action 0 nothing, 1 open folder, 2 shut down
    int ThCount = 3;       // parallel encoders minus one, 0..9
    bool planeVideo = true; // kept and written back unchanged
    bool planeAudio = true;
    bool loadMain = true;

    // --- Conversion run -------------------------------------------------------
    bool converting = false;
    bool previewing = false;
    SourceMode sourceMode = SourceMode::FileRows;
    intputrec currentJob;          // every job is built here
    int32_t currentClipSeconds = 0; // clip seconds of the job last built (file and DVD rows)
    TCountConvert countConvert;    // checked rows of a file run
    QVector<intputrec> jobs;       // the jobs of a file run, in list order
    QVector<OutputName> jobOutputNames; // how each of them is named, claimed when it starts
    OutputName currentOutputName;  // how the job last built is named
    QSet<QString> usedOutputNames; // output paths handed out in this run; cleared at run start
    int currentRowIndex = 0;        // file run: jobs handed out so far
    int tickCount = 0;              // DVD run: seconds before its first progress line; 0 in a file run
    int32_t elapsedSeconds = 0;     // DVD run: the running job's elapsed,
    int32_t remainingSeconds = 0;   // its remaining seconds,
    int64_t outputSizeKb = 0;       // and the size of its output so far
    int convertProgress = 0;        // hundredths of a percent of the running job
    QString lastEncoderLine;        // the last line that carried progress (the hint shows it)
    int32_t lastEncoderSeconds = 0; // the last seconds value read from an encoder line
    QString conversionLog;          // the file rows' notes are appended to; empty: none
};
