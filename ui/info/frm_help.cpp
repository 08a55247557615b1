#include "ui/info/frm_help.h"

#include "ui/info/info_label.h"

#include "ui/paint/palette.h"
#include "ui/shared/resource_text.h"
#include "ui/shared/twips.h"

namespace {

// Member i shows string FirstStringId + i.
constexpr int FirstStringId = 41;
constexpr int HighestMember = 13;

} // namespace

LabelStackWindow::Design FrmHelp::design() {
    return {
        .objectName = QStringLiteral("FrmHelp"),
        .caption = QStringLiteral("Help"),
        .clientSize = QSize(design::px(6255), design::px(3060)),
        .backColor = palette::InformationBack,
        .fillColor = palette::InformationFill,
        .lbl0Geometry = QRect(design::px(120), design::px(120), design::px(6015), design::px(195)),
        .lbl0Alignment = Qt::AlignLeft,
    };
}

FrmHelp::FrmHelp(QWidget* parent) : LabelStackWindow(design(), parent) {}

void FrmHelp::LoadLabels() {
    for (int i = 1; i <= HighestMember; ++i) {
        LoadLbl(i).show();
    }
}

void FrmHelp::Form_Load() {
    LoadLabels();
    for (int i = 0; i <= HighestMember; ++i) {
        Lbl(i)->setCaption(LoadResString(FirstStringId + i));
    }
    PaintBackground();
}
