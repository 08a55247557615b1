#include "ui/info/label_stack_window.h"

#include "ui/info/info_label.h"

#include "ui/paint/gradient_painter.h"
#include "ui/paint/gradient_surface.h"
#include "ui/shared/tool_window.h"

#include <QKeyEvent>

LabelStackWindow::LabelStackWindow(const Design& design, QWidget* parent)
    : QDialog(parent), m_lbl0Geometry(design.lbl0Geometry), m_lbl0Alignment(design.lbl0Alignment),
      m_backColor(design.backColor), m_fillColor(design.fillColor) {
    setObjectName(design.objectName);
    setUpToolWindow(*this, design.caption);
    setFixedSize(design.clientSize);

    m_client = new GradientSurface(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setAccessibleName(design.caption);
    m_client->setGeometry(QRect(QPoint(0, 0), design.clientSize));

    auto* lbl0 = new InfoLabel(m_client);
    lbl0->setObjectName(QStringLiteral("Lbl(0)"));
    m_lbl.push_back(lbl0);
    restoreLbl0Design();
}

void LabelStackWindow::showModal() {
    Form_Load();
    // Every opening starts centred over the parent, wherever the last one was left.
    setAttribute(Qt::WA_Moved, false);
    exec();
    Form_Unload();
}

InfoLabel* LabelStackWindow::Lbl(int index) const {
    if (index < LblLBound() || index > LblUBound()) {
        return nullptr;
    }
    return m_lbl[static_cast<std::size_t>(index)];
}

InfoLabel& LabelStackWindow::LoadLbl(int index) {
    Q_ASSERT(index == LblUBound() + 1);
    const InfoLabel& model = *m_lbl.front();
    auto* member = new InfoLabel(m_client);
    member->hide();
    member->setObjectName(QStringLiteral("Lbl(%1)").arg(index));
    member->setGeometry(model.geometry());
    member->setAlignment(model.alignment());
    member->setCaption(model.caption());
    m_lbl.push_back(member);
    return *member;
}

void LabelStackWindow::paintBackground() {
    m_client->paintGradient(BackColor(), FillColor(), paint::GRADIENT_FILL_RECT_V);
}

void LabelStackWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void LabelStackWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Qt reports a size only the first time a window is shown; a reloaded window must still
    // stack its new members when it appears.
    Form_Resize();
}

void LabelStackWindow::keyPressEvent(QKeyEvent* event) {
    // Only the caption bar's close button closes the window: no Escape, no default button, so
    // QDialog's own handling of keys is passed over on purpose.
    QWidget::keyPressEvent(event); // NOLINT(bugprone-parent-virtual-call)
}

void LabelStackWindow::Form_Resize() {
    // Each member directly under the previous one, each as high as its text; Lbl(0) keeps
    // its fixed top and nothing else moves.
    const int highest = LblUBound();
    const int lowest = LblLBound();
    for (int i = lowest + 1; i <= highest; ++i) {
        const InfoLabel& above = *Lbl(i - 1);
        InfoLabel& member = *Lbl(i);
        member.move(member.x(), above.y() + above.height());
    }
}

void LabelStackWindow::Form_Unload() {
    while (m_lbl.size() > 1) {
        delete m_lbl.back();
        m_lbl.pop_back();
    }
    restoreLbl0Design();
}

void LabelStackWindow::restoreLbl0Design() {
    InfoLabel& lbl0 = *m_lbl.front();
    lbl0.setGeometry(m_lbl0Geometry);
    lbl0.setAlignment(Qt::AlignTop | m_lbl0Alignment);
    lbl0.setCaption(QString());
}
