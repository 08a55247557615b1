#pragma once

class QLabel;

// Sizes a label to its caption on one line, as QLabel::adjustSize() would, with one layout
// of the text instead of the three or four that working out the label's size hints takes.
void fitToCaption(QLabel& label);
