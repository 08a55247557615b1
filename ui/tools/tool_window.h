#pragma once

class QString;
class QWidget;

// Gives a tool window of this family its name, caption and frame (a thin caption with only a
// close button), no icon of its own and the program's 8.25 pt face.
void setUpToolWindow(QWidget& window, const QString& caption);
