#pragma once

#include "byte_buffer.h"
#include "icon_image.h"

namespace icon {

// A PNG file of 8-bit RGB. The pixel data goes into "stored" (uncompressed) deflate
// blocks: the icon is tiny, and the tool then needs no compression library.
Bytes writePng(const IconImage& image);

} // namespace icon
