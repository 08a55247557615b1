#pragma once

// The windows' fixed layouts are written in twips (1/1440 inch), the unit they were first
// drawn in. At 96 dots per inch 15 twips make one logical pixel, and Qt scales logical
// pixels on dense screens.
namespace design {

constexpr int px(int twips) {
    return twips / 15;
}

} // namespace design
