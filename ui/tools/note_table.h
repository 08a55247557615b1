#pragma once

#include <QTableWidget>

// The note table: cells that can be selected and copied but not edited. Ctrl+C and the
// context menu copy the selected cells as tab-separated text; with every cell selected
// the headings come along, so the whole table pastes as a table.
class NoteTable final : public QTableWidget {
    Q_OBJECT

public:
    NoteTable(int rows, int columns, QWidget* parent);

    // What the top-left corner says when the whole table is copied.
    void setCornerText(const QString& text) { m_cornerText = text; }

    QString selectionAsText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void copySelection() const;
    QString wholeTableText() const;

    QString m_cornerText;
};
