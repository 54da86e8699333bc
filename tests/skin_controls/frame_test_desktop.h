#pragma once

// A stand-in desktop for the frame and title-bar tests: a chosen work area,
// recorded window moves and resizes, recorded messages.

#include "platform/dialogs/recording_dialogs.h"
#include "skin_controls/frame/frame_desktop.h"

#include <QList>
#include <QRect>

struct RecordingDesktop {
    RecordingDialogs dialogs;
    QRect workArea{40, 30, 700, 500};
    int moves = 0;
    QList<Qt::Edges> resizes;

    RecordingDesktop()
    {
        FrameDesktop d;
        d.workArea = [this](const QWidget *) { return TRect::fromQRect(workArea); };
        d.startMove = [this](QWidget *) {
            ++moves;
            return true;
        };
        d.startResize = [this](QWidget *, Qt::Edges edges) {
            resizes.append(edges);
            return true;
        };
        d.dialogs = &dialogs;
        SetFrameDesktop(d);
    }
    ~RecordingDesktop() { SetFrameDesktop(RealFrameDesktop()); }
    RecordingDesktop(const RecordingDesktop &) = delete;
    RecordingDesktop &operator=(const RecordingDesktop &) = delete;
};
