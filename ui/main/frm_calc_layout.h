#pragma once

#include "ui/shared/twips.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <array>

// Where the main window's controls sit, with their names and initial texts. Positions and
// sizes are kept in twips, the unit the layout was first drawn in, and converted once here.
// FrmCalc builds and styles its controls from these in frm_calc_layout.cpp.
namespace design {

constexpr QRect twips(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

struct Control {
    QString name;
    QString accessibleName;
    QString caption; // label caption or initial text
    QRect geometry;  // labels size themselves to their caption; only their corner counts
};

inline constexpr QSize clientSize{px(3765), px(5520)};

inline const Control lbltitle0{"lbltitle(0)", {}, "Enter the calculations", twips(1080, 120, 1545, 195)};
inline const Control lblret4{"lblret(4)", {}, "Calculate results for", twips(600, 600, 1395, 195)};
inline const Control CmbValType{"CmbValType", "Calculate results for", {}, twips(600, 840, 2535, 315)};
inline const Control TxtValue0{"TxtValue(0)", "Tempo", "100", twips(600, 1200, 2535, 315)};
inline const Control lblcalc1{"lblcalc(1)", {}, "Number of bars", twips(600, 1560, 1095, 195)};
inline const Control lblcalc2{"lblcalc(2)", {}, "Beats per bar", twips(1920, 1560, 960, 195)};
inline const Control TxtValue1{"TxtValue(1)", "Number of bars", "1", twips(600, 1800, 1215, 315)};
inline const Control TxtValue2{"TxtValue(2)", "Beats per bar", "4", twips(1920, 1800, 1215, 315)};
inline const Control lbltitle1{"lbltitle(1)", {}, "The results", twips(1440, 2280, 795, 195)};
inline const Control lblret3{"lblret(3)", {}, "Display results in", twips(600, 2760, 1185, 195)};
inline const Control CmbResType{"CmbResType", "Display results in", {}, twips(600, 3000, 2535, 315)};
inline const Control lblret0{"lblret(0)", {}, "Bar(s) length", twips(600, 3360, 900, 195)};
inline const Control TxtResult0{"TxtResult(0)", "Bar(s) length", {}, twips(600, 3600, 2535, 315)};
inline const Control lblret1{"lblret(1)", {}, "One beat length", twips(600, 3960, 1155, 195)};
inline const Control TxtResult1{"TxtResult(1)", "One beat length", {}, twips(600, 4200, 2535, 315)};
inline const Control lblret2{"lblret(2)", {}, "Cycles per second (Hz)", twips(600, 4560, 1650, 195)};
inline const Control TxtResult2{"TxtResult(2)", "Converse rate", {}, twips(600, 4800, 2535, 315)};

// The two rules: their width follows the client area's on every resize.
inline constexpr std::array<QRect, 2> separators{twips(0, 360, 3615, 135), twips(0, 2520, 3615, 135)};

} // namespace design
