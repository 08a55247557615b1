#pragma once

class QLineEdit;
class QMenu;

// A box that holds one number behaves as a whole, as a calculator's display does: Ctrl+C (and
// the context menu's Copy) copies the whole number when nothing is selected, a double click
// selects all of it rather than the digits on one side of the separator, and text pasted into
// it loses the line breaks and tabs at its ends that a spreadsheet or a table copies with it.
void makeNumberBox(QLineEdit& box);

// Makes the standard context menu of such a box copy and paste as the keys do.
void adjustNumberBoxMenu(QLineEdit& box, QMenu& menu);
