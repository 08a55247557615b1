#pragma once

class Dialogs;
class FrmCalc;

// Adds the tool windows to the main window: "Note values…", "Tempo from length…" and
// "Metronome…" in the context menu of each result box and entry, "Tap tempo…" in that of the
// tempo entry. Each window is built when first opened, on the main window's latest outcome;
// the note window and the metronome follow every recalculation while they are on screen. The
// metronome asks where to export through the dialogs.
void attachToolWindows(FrmCalc& calc, Dialogs& dialogs);
