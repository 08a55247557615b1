#include "ui/tools/form_rows.h"

#include "ui/paint/palette.h"
#include "ui/shared/context_menus.h"
#include "ui/shared/number_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

QLabel* whiteLabel(const QString& text, QWidget& parent) {
    auto* label = new QLabel(text, &parent);
    label->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    palette::setColour(*label, QPalette::WindowText, palette::white);
    return label;
}

FormRows::FormRows(QWidget& panel) : m_panel(panel), m_grid(new QGridLayout(&panel)) {}

QLineEdit& FormRows::addEntry(const QString& label, const QString& objectName,
                              const QString& accessibleName) {
    auto* entry = new QLineEdit(&m_panel);
    entry->setObjectName(objectName);
    makeNumberBox(*entry);
    extendContextMenu(*entry);
    addRow(label, *entry, accessibleName);
    return *entry;
}

QComboBox& FormRows::addChoice(const QString& label, const QString& objectName,
                               const QString& accessibleName) {
    auto* choice = new QComboBox(&m_panel);
    choice->setObjectName(objectName);
    addRow(label, *choice, accessibleName);
    return *choice;
}

void FormRows::addRow(const QString& label, QWidget& control, const QString& accessibleName) {
    QLabel* caption = whiteLabel(label, m_panel);
    caption->setBuddy(&control);
    control.setAccessibleName(accessibleName.isEmpty() ? caption->accessibleName() : accessibleName);
    m_grid->addWidget(caption, m_row, 0);
    m_grid->addWidget(&control, m_row, 1);
    ++m_row;
}

QLabel& FormRows::addFigure(const QString& caption, const QString& objectName) {
    QLabel* figure = whiteLabel(QString(), m_panel);
    figure->setObjectName(objectName);
    m_grid->addWidget(whiteLabel(caption, m_panel), m_row, 0);
    m_grid->addWidget(figure, m_row, 1);
    ++m_row;
    return *figure;
}

QLabel& FormRows::addMessage(const QString& objectName) {
    QLabel* message = whiteLabel(QString(), m_panel);
    message->setObjectName(objectName);
    message->setWordWrap(true);
    message->setMinimumHeight(2 * message->fontMetrics().lineSpacing());
    addWide(*message);
    return *message;
}

void FormRows::addWide(QWidget& widget, Qt::Alignment alignment) {
    m_grid->addWidget(&widget, m_row, 0, 1, 2, alignment);
    ++m_row;
}

void showFigure(QLabel& label, const QString& text) {
    label.setText(text);
    label.setAccessibleName(text);
}
