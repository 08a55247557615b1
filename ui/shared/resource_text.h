#pragma once

#include <QString>

// The text of one string of the program's string table, or an empty text for an id the
// table does not hold.
QString LoadResString(int id);
