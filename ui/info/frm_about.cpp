#include "ui/info/frm_about.h"

#include "ui/info/info_label.h"

#include "ui/paint/palette.h"
#include "ui/shared/resource_text.h"
#include "ui/shared/twips.h"

#include "resources/identity.h"

namespace {

const QString crLf = QStringLiteral("\r\n");

// The created members 1 to 6 hold the description, the author, licence and system lines,
// the version and the copyright.
constexpr int highestMember = 6;

} // namespace

LabelStackWindow::Design FrmAbout::design() {
    return {
        .objectName = QStringLiteral("FrmAbout"),
        .caption = QStringLiteral("About"),
        .clientSize = QSize(design::px(6255), design::px(3450)),
        .backColor = palette::informationBack,
        .fillColor = palette::informationFill,
        .lbl0Geometry = QRect(design::px(120), design::px(120), design::px(6015), design::px(195)),
        .lbl0Alignment = Qt::AlignHCenter,
    };
}

FrmAbout::FrmAbout(QWidget* parent) : LabelStackWindow(design(), parent) {}

void FrmAbout::LoadLabels() {
    for (int i = 1; i <= highestMember; ++i) {
        InfoLabel& member = LoadLbl(i);
        member.setAlignment(Qt::AlignTop | Qt::AlignLeft);
        member.show();
    }
}

void FrmAbout::Form_Load() {
    LoadLabels();

    // The title stands on the second line of its label.
    Lbl(0)->setCaption(crLf + QString::fromUtf8(tactora::identity::title) + crLf);

    // The heading, an empty line, then the five description lines, each ended by a break.
    QString description = LoadResString(1) + crLf + crLf;
    for (int id = 2; id <= 6; ++id) {
        description += LoadResString(id) + crLf;
    }
    Lbl(1)->setCaption(description);

    Lbl(2)->setCaption(LoadResString(31));
    Lbl(3)->setCaption(LoadResString(32));
    Lbl(4)->setCaption(LoadResString(33));

    // The version numbers themselves, not the "0.01" text of the version block.
    Lbl(5)->setCaption(LoadResString(34) + QString::number(tactora::identity::versionMajor) + u'.' +
                       QString::number(tactora::identity::versionMinor) + u'.' +
                       QString::number(tactora::identity::versionRevision));

    // String 35 ends with the blank that separates it from the copyright text.
    Lbl(6)->setCaption(LoadResString(35) + QString::fromUtf8(tactora::identity::legalCopyright));

    paintBackground();
}
