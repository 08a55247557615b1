#pragma once

#include <QComboBox>

// An editable drop-down whose text completes to the first matching item as the user
// types, and which can be locked so that neither its list, nor typing, nor the mouse
// wheel changes it while it is locked.
class SelectorBox : public QComboBox {
    Q_OBJECT

public:
    explicit SelectorBox(QWidget* parent = nullptr);

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
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void followText(const QString& text);
    // Shows a text that matches an item as that item, without a change of its own.
    void respell(const QString& text);

    bool m_locked = false;
    bool m_respelling = false;
    bool m_keyInProgress = false;
};
