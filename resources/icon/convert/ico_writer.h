#pragma once

#include "byte_buffer.h"
#include "icon_image.h"

namespace icon {

// A Windows icon file holding one image of 4 bits a pixel over the 16 classic Windows
// colours, with an all-opaque mask. Throws std::runtime_error when the picture uses a
// colour outside those 16 or is larger than an icon entry can describe (256 pixels).
Bytes writeIco(const IconImage& image);

} // namespace icon
