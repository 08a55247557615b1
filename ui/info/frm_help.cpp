#include "ui/info/frm_help.h"

#include "ui/info/info_label.h"

#include "ui/paint/palette.h"
#include "ui/shared/resource_text.h"
#include "ui/shared/twips.h"

namespace {

// Member i shows string firstStringId + i.
constexpr int firstStringId = 41;
constexpr int highestMember = 13;

} // namespace

LabelStackWindow::Design FrmHelp::design() {
    return {
        .objectName = QStringLiteral("FrmHelp"),
        .caption = QStringLiteral("Help"),
        .clientSize = QSize(design::px(6255), design::px(3060)),
        .backColor = palette::informationBack,
        .fillColor = palette::informationFill,
        .lbl0Geometry = QRect(design::px(120), design::px(120), design::px(6015), design::px(195)),
        .lbl0Alignment = Qt::AlignLeft,
    };
}

FrmHelp::FrmHelp(QWidget* parent) : LabelStackWindow(design(), parent) {}

void FrmHelp::LoadLabels() {
    for (int i = 1; i <= highestMember; ++i) {
        LoadLbl(i).show();
    }
}

void FrmHelp::Form_Load() {
    LoadLabels();
    for (int i = 0; i <= highestMember; ++i) {
        Lbl(i)->setCaption(LoadResString(firstStringId + i));
    }
    paintBackground();
}
