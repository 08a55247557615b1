#pragma once

#include <QString>

#include <optional>

class QLineEdit;

// What a tool window's entry holds: a text that reads as no number goes to the calculation as
// one it refuses (not a number), so that the calculation alone decides which input is at fault.
double readOrNan(const QLineEdit& entry);

// Why the calculation refused an entry's text; limit is what the entry allows at most, where
// it has a limit of its own (the parser alone keeps the others within the double range).
QString refusal(const QString& name, const QLineEdit& entry, std::optional<double> limit = std::nullopt);

// Puts the main window's figure into an entry the user has not typed into here: what was typed
// is kept from one opening to the next (setText() forgets the typing).
void fillUntyped(QLineEdit& entry, double value);
