#pragma once

class FrmCalc;

// Adds the tool windows to the main window: "Note values…" in the context menu of each result
// box and entry, "Tap tempo…" in that of the tempo entry. Each window is built when first
// opened, on the main window's latest outcome; the note window follows every recalculation
// while it is on screen.
void attachToolWindows(FrmCalc& calc);
