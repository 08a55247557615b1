#pragma once

// Window designs give positions and sizes in twips (1/1440 inch). At 96 dots per inch 15
// twips make one logical pixel, and Qt scales logical pixels on dense screens.
namespace design {

constexpr int px(int twips) {
    return twips / 15;
}

} // namespace design
