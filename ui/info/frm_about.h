#pragma once

#include "ui/info/label_stack_window.h"

// The About window: the program's title, what it calculates, its author, licence,
// systems, version and copyright, one label of the array per part.
class FrmAbout final : public LabelStackWindow {
    Q_OBJECT

public:
    explicit FrmAbout(QWidget* parent = nullptr);

private:
    static Design design();
    void Form_Load() override;
    void LoadLabels();
};
