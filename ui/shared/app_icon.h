#pragma once

#include <QIcon>

// The program's own picture, as its main window shows it.
QIcon appIcon();
