#pragma once

#include <QFont>

// The one face of the program's windows: the dialog face at 8.25 points, so that one line is
// 13 pixels high at 96 dots per inch and every text fits the fixed areas laid out for it.
QFont designFont();
