#pragma once

#include <QString>
#include <Qt>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// A label in the tool windows' white on the gradient, named for assistive tools by its text
// without the mnemonic's ampersand.
QLabel* whiteLabel(const QString& text, QWidget& parent);

// Lays out a tool window's panel as a form: rows of a white label and the control it names,
// each control reached by its label's mnemonic and named for assistive tools by the label's
// text unless given a name of its own; figures and messages below in the same two columns.
class FormRows {
public:
    explicit FormRows(QWidget& panel);

    // An entry for a number that copies and pastes as the main window's entries do: a
    // spreadsheet's cell pastes without its line break.
    QLineEdit& addEntry(const QString& label, const QString& objectName, const QString& accessibleName = {});
    QComboBox& addChoice(const QString& label, const QString& objectName, const QString& accessibleName = {});
    // Any other control the label names.
    void addRow(const QString& label, QWidget& control, const QString& accessibleName = {});
    // A figure the panel computes, beside its caption; empty until shown (see showFigure).
    QLabel& addFigure(const QString& caption, const QString& objectName);
    // Why the panel shows no figures: across both columns, wrapped, with room for two lines.
    QLabel& addMessage(const QString& objectName);
    // A control across both columns, such as a check box or a button.
    void addWide(QWidget& widget, Qt::Alignment alignment = {});

    QGridLayout& grid() { return *m_grid; }

private:
    QWidget& m_panel;
    QGridLayout* m_grid;
    int m_row = 0;
};

// Shows a computed figure or message, and names it by its text for assistive tools.
void showFigure(QLabel& label, const QString& text);
