#pragma once

// The file player and the DVD player of the preview over libmpv. Without a
// window (handle 0) they play with no video and no sound output, as the
// headless tests need.

#include "platform/player/preview_players.h"

#include <memory>

std::unique_ptr<FilePreviewPlayer> MakeMpvFilePreviewPlayer();
std::unique_ptr<DvdPreviewPlayer> MakeMpvDvdPreviewPlayer();
