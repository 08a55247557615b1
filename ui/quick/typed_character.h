#pragma once

#include <optional>

class QKeyEvent;

// The one character a key event typed, or nothing when it typed none or was a chord: with
// Ctrl, Alt or Meta held a key gives a command, not a character. AltGr, which many layouts
// need for ordinary characters (\ and # on German ones), is no chord: X11 reports it as a
// group switch and Windows as Ctrl and Alt together.
std::optional<char32_t> typedCharacter(const QKeyEvent& event);
