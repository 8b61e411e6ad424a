// SPDX-License-Identifier: GPL-3.0-or-later
#include "GcideGrammar.h"

#include "GcideMarkup.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace {

// Abbreviations GCIDE uses in part-of-speech labels.
constexpr std::string_view kLabelWords[] = {
    "n",    "a",     "v",      "t",      "i",      "adv",     "adj",  "pl",    "prop",       "p",
    "imp",  "obs",   "prep",   "interj", "pron",   "conj",    "sing", "pr",    "prenom",     "vb",
    "suff", "pref",  "fem",    "pred",   "superl", "compar",  "f",    "pres",  "peop",       "prefix",
    "pret", "masc",  "impers", "abbr",   "indic",  "poss",    "m",    "indef", "imperative", "auxiliary",
    "comp", "contr", "inf",    "suffix", "pers",   "interrog"};

// Words after which braces hold an inflected form.
constexpr std::string_view kFormWords[] = {"pl",     "sing",   "imp",  "p",    "pr",   "vb", "3d",
                                           "compar", "superl", "pres", "pret", "part", "ppr"};

// Words that may stand between those and the braces.
constexpr std::string_view kLinkWords[] = {"n",  "t",    "i",   "obs",  "or",   "and",
                                           "3d", "pers", "fem", "masc", "also", "sometimes"};

// Languages named before a plural: pl. L. {Alumni}, E. {Alumnuses}.
constexpr std::string_view kLanguages[] = {"L", "E", "F", "G", "It", "Gr", "NL", "LL", "Sp", "Heb", "Ar", "D"};

template <std::size_t N> bool contains(const std::string_view (&list)[N], std::string_view word) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

std::string lower(std::string_view word) {
    std::string out(word);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The position after the group that opens at text[pos] and closes with `close`, nested groups included.
std::size_t skipGroup(std::string_view text, std::size_t pos, char open, char close) {
    int depth = 0;
    for (std::size_t i = pos; i < text.size(); ++i) {
        if (text[i] == open)
            ++depth;
        else if (text[i] == close && --depth == 0)
            return i + 1;
    }
    return text.size();
}

// A form as a word: markup decoded, GCIDE's marks removed; empty when it is no plain spelling.
std::string formSpelling(std::string_view braced) {
    const auto decoded = GcideMarkup::decode(braced);
    if (!decoded)
        return {};
    std::string form;
    for (char c : *decoded) {
        if (c == '"' || c == '`' || c == '*')
            continue;
        if (static_cast<unsigned char>(c) < 0x80 && !std::isalnum(static_cast<unsigned char>(c)) &&
            std::string_view(" -'.").find(c) == std::string_view::npos)
            return {};
        form += c;
    }
    // A period or blank after the form is punctuation of the entry, not part of the word ({Bereaving.}).
    while (!form.empty() && (isSpace(form.back()) || form.back() == '.'))
        form.pop_back();
    const unsigned char first = form.empty() ? 0 : static_cast<unsigned char>(form.front());
    return first >= 0x80 || std::isalpha(first) ? form : std::string();
}

} // namespace

class GcideGrammar::Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    std::string label() {
        // 1. A pronunciation in parentheses may come first.
        skip(" ,");
        if (m_pos < m_text.size() && m_text[m_pos] == '(')
            m_pos = skipGroup(m_text, m_pos, '(', ')');
        // 2. Label words with '&' and ',' between them, up to the first other thing.
        std::string label;
        std::string pending;
        std::size_t labelEnd = m_pos;
        for (;;) {
            std::size_t pos = m_pos;
            while (pos < m_text.size() && isSpace(m_text[pos]))
                ++pos;
            if (pos < m_text.size() && (m_text[pos] == '&' || m_text[pos] == ',')) {
                pending += m_text[pos] == '&' ? " &" : ",";
                m_pos = pos + 1;
                continue;
            }
            const std::string_view word = abbreviationAt(pos);
            if (word.empty() || !contains(kLabelWords, word))
                break;
            label += (label.empty() ? "" : pending + " ") + std::string(word) + ".";
            pending.clear();
            m_pos = pos + word.size() + 1;
            labelEnd = m_pos;
        }
        m_pos = labelEnd;
        return label;
    }

    void forms(std::vector<std::string>& out) { readForms(m_text.size(), out); }

private:
    // A word followed by a period at pos ("imp." gives "imp"); empty when there is none.
    std::string_view abbreviationAt(std::size_t pos) const {
        std::size_t end = pos;
        while (end < m_text.size() && std::isalnum(static_cast<unsigned char>(m_text[end])))
            ++end;
        if (end == pos || end >= m_text.size() || m_text[end] != '.')
            return {};
        return m_text.substr(pos, end - pos);
    }

    void skip(std::string_view characters) {
        while (m_pos < m_text.size() &&
               (isSpace(m_text[m_pos]) || characters.find(m_text[m_pos]) != std::string_view::npos))
            ++m_pos;
    }

    // Reads forms up to `end`; returns at the first thing that is not grammar.
    void readForms(std::size_t end, std::vector<std::string>& out) {
        bool formFollows = false;
        while (true) {
            skip(",;&:.");
            if (m_pos >= end)
                return;
            const char c = m_text[m_pos];
            if (c == '(') {
                m_pos = std::min(end, skipGroup(m_text, m_pos, '(', ')'));
            } else if (c == '{') {
                const std::size_t close = m_text.find('}', m_pos);
                if (!formFollows || close == std::string_view::npos || close >= end)
                    return;
                if (std::string form = formSpelling(m_text.substr(m_pos + 1, close - m_pos - 1)); !form.empty())
                    out.push_back(std::move(form));
                m_pos = close + 1;
            } else if (c == '[') {
                if (!readBracket(end, out))
                    return;
            } else if (!readWord(end, formFollows)) {
                return;
            }
        }
    }

    // A bracket of grammar ("[imp. & p. p. {Babied}; ...]") is read; any other bracket ends the grammar part.
    bool readBracket(std::size_t end, std::vector<std::string>& out) {
        if (GcideMarkup::tokenLength(m_text, m_pos) != 0)
            return false;
        const std::size_t close = std::min(end, skipGroup(m_text, m_pos, '[', ']'));
        std::size_t first = m_pos + 1;
        while (first < close && isSpace(m_text[first]))
            ++first;
        const std::string_view word = abbreviationAt(first);
        if (word.empty() || !contains(kFormWords, lower(word)))
            return false;
        m_pos = first;
        readForms(close > 0 ? close - 1 : close, out);
        m_pos = close;
        return true;
    }

    bool readWord(std::size_t end, bool& formFollows) {
        std::size_t wordEnd = m_pos;
        while (wordEnd < end && std::isalnum(static_cast<unsigned char>(m_text[wordEnd])))
            ++wordEnd;
        if (wordEnd == m_pos)
            return false;
        const std::string_view word = m_text.substr(m_pos, wordEnd - m_pos);
        const bool abbreviated = wordEnd < end && m_text[wordEnd] == '.';
        const std::string lowered = lower(word);
        if (abbreviated && contains(kFormWords, lowered))
            formFollows = true;
        else if (!contains(kLinkWords, lowered) && !(abbreviated && formFollows && contains(kLanguages, word)))
            return false;
        m_pos = wordEnd;
        return true;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

GcideGrammar::Part GcideGrammar::read(std::string_view text) {
    Reader reader(text);
    Part part;
    part.label = reader.label();
    reader.forms(part.forms);
    return part;
}
