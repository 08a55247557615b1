#pragma once

#include <QColor>
#include <QComboBox>

// An editable drop-down whose text completes to the first matching item as the user
// types, and which can be locked so that neither its list, nor typing, nor the mouse
// wheel changes it while it is locked. It is drawn flat: a one-pixel border and the arrow
// of its list on a transparent background.
class SelectorBox : public QComboBox {
    Q_OBJECT

public:
    struct Look {
        QColor text;
        QColor border;
        QColor listText;
        QColor listBackground;
    };

    SelectorBox(const Look& look, QWidget* parent);

    void setLocked(bool locked);

    // The item whose text the box shows, or -1 while the text matches no item.
    int selectedIndex() const;

signals:
    // Every change of the text or of the selection, by the user or by the program; once
    // for a text that the box respells as the item it matches, and once for a typed key.
    void changed();

public:
    void showPopup() override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void followText(const QString& text);
    // Shows a text that matches an item as that item, without a change of its own.
    void respell(const QString& text);

    Look m_look;
    bool m_locked = false;
    bool m_respelling = false;
    bool m_keyInProgress = false;
};
