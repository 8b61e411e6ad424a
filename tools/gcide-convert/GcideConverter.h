// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Turns the text of GCIDE's dictd database into Parvenna's dictionary data: one line per spelling with every
// homograph's division and label, the division with GCIDE's stress marks ("Baby|Ba\"by:n.|Ba\"by:a.|Ba\"by:v. t.",
// see GcideDivision::stressed), and one line per inflected form that is no headword of its own ("Babies|=Baby").
// Homographs of the same division and label are written once, with the first one's stress. Lines are sorted by
// their first field in byte order.
class GcideConverter {
public:
    struct Stats {
        int entries = 0;           // entry heads read
        int spellings = 0;         // spellings taken from them
        int headwords = 0;         // distinct headwords (entry lines)
        int marked = 0;            // headwords with at least one GCIDE mark
        int unmarked = 0;          // headwords without any
        int withBoundary = 0;      // headwords whose division has a '*'
        int forms = 0;             // form lines
        int mismatchesKept = 0;    // faulty divisions: headword kept without division
        int mismatchesDropped = 0; // faulty divisions without a headword to keep
    };

    // Reads a whole database text (or any part of it made of whole entries).
    void add(std::string_view gcideText);

    // The data file: the header lines (each given without its "# "), then the sorted lines.
    std::string dictionaryText(const std::vector<std::string>& header) const;

    // The stress file: a line "Spelling|stressed division|..." for each single word GCIDE marks, its divisions
    // with GCIDE's stress marks (see GcideDivision::stressed), after the header lines: every distinct stress of a
    // word, where the data file keeps one a division and label. For syllable-trainer --stress-file.
    std::string stressText(const std::vector<std::string>& header) const;

    Stats stats() const;

    // The name and version the database gives itself ("The Collaborative International Dictionary of English
    // v.0.48"); empty when it gives none.
    const std::string& sourceName() const { return m_sourceName; }

private:
    struct Homograph {
        std::string division;
        std::string stressed;
        std::string label;
        bool marked = false;
    };

    void addHead(std::string_view head);
    std::vector<std::pair<std::string, std::string>> formLines() const;
    static std::string foldCase(std::string_view text);

    std::map<std::string, std::vector<Homograph>> m_words;
    std::set<std::pair<std::string, std::string>> m_forms; // form, headword
    std::string m_sourceName;
    Stats m_counts;
};
