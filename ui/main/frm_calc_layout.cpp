#include "ui/main/frm_calc_layout.h"

#include "ui/main/frm_calc.h"
#include "ui/paint/gradient_surface.h"
#include "ui/paint/palette.h"
#include "ui/shared/design_font.h"
#include "ui/shared/flat_line_edit.h"
#include "ui/shared/selector_box.h"

#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>

namespace {

// The entries are black on white in a black border; the results and the selectors stand on
// the gradient, white in a silver border (a white one for the result box with the focus), and
// the selectors' lists are black on white.
using palette::toQColor;
const FlatLineEdit::Look entryLook{toQColor(palette::black), toQColor(palette::white),
                                   toQColor(palette::black), QColor()};
const FlatLineEdit::Look resultLook{toQColor(palette::white), Qt::transparent, toQColor(palette::silver),
                                    toQColor(palette::white)};
const SelectorBox::Look selectorLook{toQColor(palette::white), toQColor(palette::silver),
                                     toQColor(palette::black), toQColor(palette::white)};

} // namespace

void FrmCalc::buildControls() {
    setFont(designFont());

    m_client = new GradientSurface(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setAccessibleName(QStringLiteral("Tempo calculator"));
    m_client->setFixedSize(design::clientSize);
    // The captions are white on the gradient: they take the text colour of the client area.
    palette::setColour(*m_client, QPalette::WindowText, palette::white);
    setCentralWidget(m_client);
    // The client area has a fixed size, so the window does too: no resizing by the frame.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    auto label = [this](const design::Control& d) {
        auto* l = new QLabel(d.caption, m_client);
        l->setObjectName(d.name);
        l->setAccessibleName(d.caption);
        l->setFocusPolicy(Qt::NoFocus);
        l->move(d.geometry.topLeft());
        l->adjustSize();
        return l;
    };
    auto lineEdit = [this](const design::Control& d, const FlatLineEdit::Look& look) {
        auto* e = new FlatLineEdit(look, m_client);
        e->setText(d.caption);
        e->setObjectName(d.name);
        e->setAccessibleName(d.accessibleName);
        e->setGeometry(d.geometry);
        return e;
    };
    auto selector = [this](const design::Control& d, int visibleRows) {
        auto* s = new SelectorBox(selectorLook, m_client);
        s->setObjectName(d.name);
        s->setAccessibleName(d.accessibleName);
        s->setGeometry(d.geometry);
        s->setMaxVisibleItems(visibleRows);
        return s;
    };

    lbltitle[0] = label(design::lbltitle0);
    separator[0] = new QFrame(m_client);
    lblret[4] = label(design::lblret4);
    CmbValType = selector(design::CmbValType, 3);
    TxtValue[0] = lineEdit(design::TxtValue0, entryLook);
    lblcalc[1] = label(design::lblcalc1);
    lblcalc[2] = label(design::lblcalc2);
    TxtValue[1] = lineEdit(design::TxtValue1, entryLook);
    TxtValue[2] = lineEdit(design::TxtValue2, entryLook);
    lbltitle[1] = label(design::lbltitle1);
    separator[1] = new QFrame(m_client);
    lblret[3] = label(design::lblret3);
    CmbResType = selector(design::CmbResType, 4);
    lblret[0] = label(design::lblret0);
    TxtResult[0] = lineEdit(design::TxtResult0, resultLook);
    lblret[1] = label(design::lblret1);
    TxtResult[1] = lineEdit(design::TxtResult1, resultLook);
    lblret[2] = label(design::lblret2);
    TxtResult[2] = lineEdit(design::TxtResult2, resultLook);

    for (int i = 0; i < 2; ++i) {
        separator[i]->setObjectName(QStringLiteral("separator(%1)").arg(i));
        separator[i]->setAccessibleName(i == 0 ? QStringLiteral("Entries rule")
                                               : QStringLiteral("Results rule"));
        separator[i]->setGeometry(design::separators[i]);
        palette::setColour(*separator[i], QPalette::Window, palette::grey);
        separator[i]->setAutoFillBackground(true);
        separator[i]->setFocusPolicy(Qt::NoFocus);
    }
    for (QLineEdit* result : TxtResult) {
        result->setReadOnly(true);
        // A read-only box takes the arrow; the result boxes keep the I-beam of text that can be selected.
        result->setCursor(Qt::IBeamCursor);
        // Reached by a click only: Tab never lands on a result.
        result->setFocusPolicy(Qt::ClickFocus);
    }

    setTabOrder(CmbValType, TxtValue[0]);
    setTabOrder(TxtValue[0], TxtValue[1]);
    setTabOrder(TxtValue[1], TxtValue[2]);
    setTabOrder(TxtValue[2], CmbResType);
}

void FrmCalc::buildMenus() {
    MnuAbout = menuBar()->addAction(QStringLiteral("About"));
    MnuAbout->setObjectName(QStringLiteral("MnuAbout"));

    // The calculation menu is inactive: its operations are reached by the operator keys
    // typed into a result box. It is kept, hidden, so the items and their handler exist.
    MnuCalculator = menuBar()->addMenu(QString());
    MnuCalculator->setObjectName(QStringLiteral("MnuCalculator"));
    MnuCalculator->menuAction()->setVisible(false);
    const std::array<QString, 8> captions = {
        QStringLiteral("Multiplication (*)"),         QStringLiteral("Division (/)"),
        QStringLiteral("Rounded Division (\\)"),      QString(),
        QStringLiteral("Addition/Subtraction (+/-)"), QString(),
        QStringLiteral("Semitone shift (#)"),         QStringLiteral("Decimal Rounding (.)")};
    for (int i = 0; i < 8; ++i) {
        MnuCalculation[i] =
            captions[i].isEmpty() ? MnuCalculator->addSeparator() : MnuCalculator->addAction(captions[i]);
        MnuCalculation[i]->setObjectName(QStringLiteral("MnuCalculation(%1)").arg(i));
    }

    MnuHelp = menuBar()->addAction(QStringLiteral("Help"));
    MnuHelp->setObjectName(QStringLiteral("MnuHelp"));
}
