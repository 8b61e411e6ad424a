// SPDX-License-Identifier: GPL-3.0-or-later
#include "GcideHead.h"

#include "GcideDivision.h"
#include "GcideGrammar.h"

#include <cctype>

namespace {

std::string alphanumerics(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += c;
    }
    return out;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

} // namespace

GcideHead::Result GcideHead::parse(std::string_view head) {
    Result result;
    std::vector<bool> ownGrammar;
    std::size_t pos = 0;
    bool first = true;
    while (true) {
        // 1. The next division between backslashes and the text before it, which ends with the headword.
        const std::size_t open = head.find('\\', pos);
        const std::size_t close = open == std::string_view::npos ? open : head.find('\\', open + 1);
        if (close == std::string_view::npos)
            break;
        const std::string_view before = head.substr(pos, open - pos);
        const GcideDivision division = GcideDivision::parse(head.substr(open + 1, close - open - 1));
        const std::size_t next = head.find('\\', close + 1);
        const std::string_view after = head.substr(close + 1, next == std::string_view::npos ? next : next - close - 1);
        pos = close + 1;
        // 2. The headword: the end of the text before that has the division's letters.
        std::string headword = matchingHeadword(before, division.letters());
        Spelling spelling;
        if (!headword.empty() && division.valid()) {
            spelling.word = division.word();
            spelling.division = division.division();
            spelling.stressed = division.stressed();
            spelling.marked = division.marked();
        } else if (!headword.empty() || (first && plausibleHeadword(trimmed(before)))) {
            // Letters or characters that do not fit: the headword as the entry line spells it, without division.
            spelling.word = headword.empty() ? std::string(trimmed(before)) : headword;
            spelling.division = spelling.word;
            spelling.stressed = spelling.word;
            ++result.mismatchesKept;
        } else {
            ++result.mismatchesDropped;
            first = false;
            continue;
        }
        first = false;
        // 3. Its grammar part: the text up to the next spelling.
        GcideGrammar::Part grammar = GcideGrammar::read(after);
        ownGrammar.push_back(!grammar.label.empty() || !grammar.forms.empty());
        spelling.label = std::move(grammar.label);
        spelling.forms = std::move(grammar.forms);
        result.spellings.push_back(std::move(spelling));
    }
    shareLabels(result.spellings, ownGrammar);
    return result;
}

std::string GcideHead::matchingHeadword(std::string_view before, const std::string& letters) {
    if (letters.empty())
        return {};
    // The longest run of whole words at the end; the text before may hold a label, "or", "Also", a pronunciation.
    before = trimmed(before);
    for (std::size_t start = 0; start < before.size(); ++start) {
        if (start > 0 && std::string_view(" ,;)]").find(before[start - 1]) == std::string_view::npos)
            continue;
        const std::string_view candidate = trimmed(before.substr(start));
        if (alphanumerics(candidate) == letters)
            return std::string(candidate);
    }
    return {};
}

bool GcideHead::plausibleHeadword(std::string_view text) {
    if (text.empty() || !std::isalnum(static_cast<unsigned char>(text.front())))
        return false;
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && std::string_view(" -'.").find(c) == std::string_view::npos)
            return false;
    }
    return true;
}

void GcideHead::shareLabels(std::vector<Spelling>& spellings, std::vector<bool>& ownGrammar) {
    // Backwards: a spelling without grammar takes the next one's.
    for (std::size_t i = spellings.size(); i-- > 1;) {
        if (!ownGrammar[i - 1] && ownGrammar[i]) {
            spellings[i - 1].label = spellings[i].label;
            spellings[i - 1].forms = spellings[i].forms;
            ownGrammar[i - 1] = true;
        }
    }
    // Forwards: spellings after the last grammar keep the label before them.
    for (std::size_t i = 1; i < spellings.size(); ++i) {
        if (!ownGrammar[i])
            spellings[i].label = spellings[i - 1].label;
    }
}
