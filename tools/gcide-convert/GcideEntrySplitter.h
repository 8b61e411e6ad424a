// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

// Finds the entries in the text of GCIDE's dictd database and hands on the head of each: the lines from the
// headword up to the first blank line, joined by blanks.
//
// An entry starts at a line that begins with its headword at the left margin, after a blank line or after an
// indented line that does not end with a comma (a comma there means the head goes on: "Addle-brain \...\,"). A few
// entries start inside an indented line right after the source note of the one before
// ("   [PJC] Palkee \Pal"kee\, n. ..."), and a head that ends with a headword goes on after a blank line when
// that headword's division stands at the margin below it.
class GcideEntrySplitter {
public:
    using HeadHandler = std::function<void(std::string_view head)>;

    static void split(std::string_view text, const HeadHandler& onHead);

    // The text after an indented source note when an entry starts there, else empty.
    static std::string_view embeddedEntry(std::string_view line);
    // True when a line at the left margin begins an entry's head (the next line is needed for a headword that
    // stands alone on its line, its division below it).
    static bool startsHead(std::string_view line, std::string_view nextLine);
};
