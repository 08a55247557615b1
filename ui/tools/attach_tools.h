#pragma once

class FrmCalc;

namespace tools {

// Adds the note values and tap tempo windows to the main window: "Note values…" in the
// context menu of each result box and entry, "Tap tempo…" in that of the tempo entry.
// The note window follows every calculation from now on, also while it is hidden.
void AttachTools(FrmCalc& calc);

} // namespace tools
