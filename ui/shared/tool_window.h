#pragma once

class QString;
class QWidget;

// Gives one of the program's small windows its name, caption and frame: a thin caption with
// only a close button, fixed in size, kept out of the task bar; no icon of its own and the
// program's 8.25 pt face.
void setUpToolWindow(QWidget& window, const QString& caption);

// Gives the activation back to the window the closing one (a tool window, a dialog or a
// message box) belongs to, as the closing of a dialog should. Without a window manager nobody
// else does, and the keyboard would lead nowhere; some platforms would also keep the
// activation on the hidden window and never activate it again when it is next shown.
void returnActivation(QWidget& closing);
