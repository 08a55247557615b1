#include "ui/tools/note_table.h"

#include "ui/shared/context_menus.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

NoteTable::NoteTable(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);

    // Ctrl+C and Ctrl+A are keys of the table itself, not shortcuts of these items: the
    // main window, which owns this window, keeps its actions free of shortcuts.
    auto* copy = new QAction(QStringLiteral("Copy"), this);
    copy->setObjectName(QStringLiteral("actCopy"));
    connect(copy, &QAction::triggered, this, &NoteTable::copySelection);

    auto* selectAll = new QAction(QStringLiteral("Select all"), this);
    selectAll->setObjectName(QStringLiteral("actSelectAll"));
    connect(selectAll, &QAction::triggered, this, &QAbstractItemView::selectAll);

    addAction(copy);
    addAction(selectAll);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    openContextMenuWithShiftF10(*this);
}

void NoteTable::keyPressEvent(QKeyEvent* event) {
    // The view's own copy takes the current cell only, whatever else is selected.
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

QString NoteTable::selectionAsText() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.size() == static_cast<qsizetype>(rowCount()) * columnCount()) {
        return wholeTableText();
    }

    QStringList lines;
    for (int row = 0; row < rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < columnCount(); ++column) {
            if (selectionModel()->isSelected(model()->index(row, column))) {
                cells << item(row, column)->text();
            }
        }
        if (!cells.isEmpty()) {
            lines << cells.join(QLatin1Char('\t'));
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QString NoteTable::wholeTableText() const {
    QStringList headings{m_cornerText};
    for (int column = 0; column < columnCount(); ++column) {
        headings << horizontalHeaderItem(column)->text();
    }
    QStringList lines{headings.join(QLatin1Char('\t'))};
    for (int row = 0; row < rowCount(); ++row) {
        QStringList cells{verticalHeaderItem(row)->text()};
        for (int column = 0; column < columnCount(); ++column) {
            cells << item(row, column)->text();
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

void NoteTable::copySelection() const {
    const QString text = selectionAsText();
    if (!text.isEmpty()) {
        QApplication::clipboard()->setText(text);
    }
}
