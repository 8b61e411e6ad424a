// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Characters that a row of text must not carry: they break a line of an export in two (CR, LF, the line and
// paragraph separators), write terminal controls into a file (ESC, BEL, NUL …) or show a text in another order than
// it is stored (the bidirectional controls). A dictionary service or a word file may hand over any of them.
namespace ControlCharacters {

// What stands in for each such character: visible, so that the text does not silently read as another word.
inline constexpr char16_t kReplacement = 0xFFFD;

// C0 controls, DEL, C1 controls, the line and paragraph separators and the bidirectional controls (U+061C, U+200E,
// U+200F, U+202A–U+202E, U+2066–U+2069).
bool isControl(char16_t c);

// The text with every such character replaced by U+FFFD; the text itself (no copy) when it has none.
QString replaced(const QString& text);

} // namespace ControlCharacters
