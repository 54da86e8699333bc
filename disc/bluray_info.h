#pragma once

// What the Blu-ray import keeps of one playlist beside its list row: the
// clips in play order and the streams of its first clip, with the values the
// playlist parser reported for them. Nothing in the program reads the stream
// and clip values; they are kept for a later stream choice.

#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

struct TBlurayinfo {
    QVector<int32_t> videoValues3;
    int32_t lastVideoIndex = -1; // video streams - 1
    QVector<int32_t> videoValues2;
    int32_t lastAudioIndex = -1;
    QVector<int32_t> audioValues2;
    QVector<int32_t> videoValues1;
    QVector<int32_t> audioValues1;
    int32_t lastSubtitleIndex = -1;
    QVector<int32_t> subtitleValues2;
    QVector<int32_t> subtitleValues1;
    int32_t duration = 0; // seconds
    int32_t spare = 0;
    int32_t audioChoice = 0;
    int32_t subtitleChoice = 0;
    QStringList audioLanguages;    // language names, per audio stream
    QStringList subtitleLanguages;
    QStringList clipPaths;         // full path of every clip file, in play order
    QVector<int32_t> clipValues;
    int32_t lastClipIndex = -1;
    int32_t place = -1; // 0 for the longest playlist; -1 until ordered
};
