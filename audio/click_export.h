#pragma once

#include "audio/click_player.h"

#include <functional>

// Renders the click track the device would play with these settings into a sound file; see
// ClickPlayerFactory::exportClickTrack.
ClickExportOutcome exportClickTrack(const ClickExport& request, const std::function<bool(double)>& progress);
