#pragma once

#include <memory>

class Dialogs;
class FrmCalc;

// The program as it runs, put together in this one place for the program and its window tests
// alike: the application's face and desktop identity, the main window, and the tool windows
// that follow it. Call it once the application object exists; show the window it returns.
std::unique_ptr<FrmCalc> composeProgram(Dialogs& dialogs);
