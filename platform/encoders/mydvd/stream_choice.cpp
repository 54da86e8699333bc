#include "platform/encoders/mydvd/stream_choice.h"

#include "platform/encoders/mydvd/dvd_address.h"
#include "platform/encoders/mydvd/rip_arguments.h"

namespace {

bool IsSubtitle(int id) { return id >= 0x20 && id <= 0x3f; }

} // namespace

StreamChoice ChooseStreams(int audioId, int subtitleId, const PackStreams &opening, bool audioFoundLater,
                           const std::set<int> &listedSubtitles)
{
    StreamChoice choice;
    const int first = opening.firstAudio();
    const QString warning = QStringLiteral("warning: ");
    if (audioId != 0 && (opening.has(FfmpegStreamId(audioId)) || audioFoundLater)) {
        choice.audioMap = QStringLiteral("0:i:") + StreamIdText(FfmpegStreamId(audioId));
    } else if (first < 0) {
        choice.notes << (audioId == 0 ? QString() : warning) +
                            QStringLiteral("the sectors hold no audio stream: the output has no sound");
    } else {
        choice.audioMap = QStringLiteral("0:a:0");
        choice.notes << (audioId == 0 ? QStringLiteral("no audio stream chosen: taking the first, %1")
                                            .arg(StreamIdText(first & 0xff))
                                      : warning + QStringLiteral("audio stream %1 is not in the sectors: taking the first, %2")
                                                      .arg(StreamIdText(audioId), StreamIdText(first & 0xff)));
    }
    if (subtitleId == 0)
        return choice;
    if (IsSubtitle(subtitleId) && (opening.has(subtitleId) || listedSubtitles.count(subtitleId) > 0)) {
        choice.subtitleId = subtitleId;
    } else {
        choice.notes << warning + QStringLiteral("subtitle %1 is not on this title: ripping without it").arg(StreamIdText(subtitleId));
    }
    return choice;
}
