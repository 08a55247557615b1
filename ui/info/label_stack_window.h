#pragma once

#include <QDialog>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

class GradientSurface;
class InfoLabel;

// An information window: a fixed-size tool window whose whole content is one label array,
// Lbl, stacked line under line over a vertical gradient. Member 0 is made with the window;
// the further members exist only while the window is loaded.
//
// Each showModal() loads the window afresh (the subclass's Form_Load creates the members
// and sets the texts), shows it modally over its parent, and unloads it once the user has
// closed it, so that every opening starts again from member 0 alone, empty and in its place.
class LabelStackWindow : public QDialog {
    Q_OBJECT

public:
    // Loads, shows modally and returns only after the window has been closed.
    void showModal();

    // Member index of the label array, or null where there is none.
    InfoLabel* Lbl(int index) const;
    int LblLBound() const { return 0; }
    int LblUBound() const { return static_cast<int>(m_lbl.size()) - 1; }

    // The inner area's colours, 0x00BBGGRR: the gradient's top and bottom.
    std::uint32_t BackColor() const { return m_backColor; }
    std::uint32_t FillColor() const { return m_fillColor; }

protected:
    struct Design {
        QString objectName;
        QString caption;
        QSize clientSize;        // pixels
        std::uint32_t backColor; // 0x00BBGGRR
        std::uint32_t fillColor; // 0x00BBGGRR
        QRect lbl0Geometry;      // pixels, within the inner area
        Qt::Alignment lbl0Alignment;
    };

    LabelStackWindow(const Design& design, QWidget* parent);

    // Runs each time the window is loaded, before it is shown.
    virtual void Form_Load() = 0;

    // Creates member index of Lbl (the next free one) with the place, alignment and caption of
    // Lbl(0) as they are at this moment; the new member starts hidden.
    InfoLabel& LoadLbl(int index);

    // Paints the gradient from BackColor at the top to FillColor at the bottom of the inner
    // area, once; the window keeps it for as long as it is open.
    void paintBackground();

    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Resize();
    void Form_Unload();
    void restoreLbl0Design();

    const QRect m_lbl0Geometry;
    const Qt::Alignment m_lbl0Alignment;
    const std::uint32_t m_backColor;
    const std::uint32_t m_fillColor;
    GradientSurface* m_client = nullptr;
    std::vector<InfoLabel*> m_lbl;
};
