#pragma once

#include "ui/info/label_stack_window.h"

// The Help window: how to use the calculator and the keys of the quick result calculator,
// one string table line per label of the array.
class FrmHelp final : public LabelStackWindow {
    Q_OBJECT

public:
    explicit FrmHelp(QWidget* parent = nullptr);

private:
    static Design design();
    void Form_Load() override;
    void LoadLabels();
};
