#pragma once

#include "icon_image.h"

#include <string_view>

namespace icon {

// Reads an XPM 3 picture whose colours are all "c #RRGGBB". Throws std::runtime_error,
// naming the fault, for anything else: a build should stop rather than ship a wrong icon.
IconImage readXpm(std::string_view text);

} // namespace icon
