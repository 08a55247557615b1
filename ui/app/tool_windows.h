#pragma once

class FrmCalc;
class TapClock;

// Adds the tool windows to the main window: "Note values…" in the context menu of each result
// box and entry, "Tap tempo…" in that of the tempo entry. Each window is built when first
// opened, on the main window's latest outcome; the note window follows every recalculation
// while it is on screen. Taps without a time of their own are timed by the clock, which must
// outlive the main window.
void attachToolWindows(FrmCalc& calc, const TapClock& clock);
