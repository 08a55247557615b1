#pragma once

class FrmCalc;

namespace tools {

// Adds the note values and tap tempo windows to the main window: "Note values…" in the
// context menu of each result box and entry, "Tap tempo…" in that of the tempo entry.
// Each window is built when first opened; the note window shows the main window's latest
// outcome when it opens and follows every calculation while it is on screen.
void AttachTools(FrmCalc& calc);

} // namespace tools
