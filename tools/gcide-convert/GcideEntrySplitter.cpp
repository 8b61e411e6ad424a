// SPDX-License-Identifier: GPL-3.0-or-later
#include "GcideEntrySplitter.h"

#include <cctype>
#include <vector>

namespace {

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        pos = end + 1;
    }
    return lines;
}

// "Headword \division\..." with the headword at the start: some text, a blank, a backslash, and the closing
// backslash later on the line unless the division goes on on the next one.
bool headwordThenDivision(std::string_view text, bool divisionMayWrap) {
    if (text.empty() || isSpace(text.front()) || text.front() == '\\' || text.front() == '[' || text.front() == '{')
        return false;
    const std::size_t open = text.find('\\');
    return open != std::string_view::npos && open > 0 && isSpace(text[open - 1]) &&
           (divisionMayWrap || text.find('\\', open + 1) != std::string_view::npos);
}

// True when the head ends with a further headword whose division has not come yet
// ("ankylostomiasis \an`ky*los*to*mi"a*sis\, ancylostomiasis"): nothing after the last division but that word.
bool awaitsDivision(std::string_view head) {
    const std::size_t last = head.rfind('\\');
    return last != std::string_view::npos && head.find_first_of(".[({", last) == std::string_view::npos &&
           !trimmed(head.substr(last + 1)).empty();
}

enum class State { Outside, Head, HeadEnded, Body };

} // namespace

std::string_view GcideEntrySplitter::embeddedEntry(std::string_view line) {
    const std::string_view text = trimmed(line);
    if (text.empty() || text.front() != '[')
        return {};
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos || text.substr(0, close).find_first_of("{\\") != std::string_view::npos)
        return {};
    const std::string_view rest = trimmed(text.substr(close + 1));
    return headwordThenDivision(rest, false) ? rest : std::string_view();
}

bool GcideEntrySplitter::startsHead(std::string_view line, std::string_view nextLine) {
    if (line.empty() || isSpace(line.front()) || line.front() == '\\')
        return false;
    if (headwordThenDivision(line, true))
        return true;
    // A headword alone on its line, its division at the start of the next.
    return line.find('\\') == std::string_view::npos && !nextLine.empty() && nextLine.front() == '\\';
}

void GcideEntrySplitter::split(std::string_view text, const HeadHandler& onHead) {
    const std::vector<std::string_view> lines = linesOf(text);
    std::string head;
    State state = State::Outside;
    auto flush = [&] {
        if (!head.empty())
            onHead(head);
        head.clear();
    };
    auto append = [&](std::string_view line) {
        if (!head.empty())
            head += ' ';
        head += trimmed(line);
    };
    std::string_view previous;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::string_view content = trimmed(line);
        if (content.empty()) {
            if (state == State::Head)
                state = State::HeadEnded;
            previous = content;
            continue;
        }
        const bool indented = isSpace(line.front());
        const bool afterBlank = trimmed(previous).empty();
        const bool afterBodyLine = !afterBlank && isSpace(previous.front()) && trimmed(previous).back() != ',';
        const std::string_view nextLine = i + 1 < lines.size() ? lines[i + 1] : std::string_view();
        if (!indented && (afterBlank || afterBodyLine) && startsHead(line, nextLine)) {
            // 1. A new entry at the margin.
            flush();
            append(line);
            state = State::Head;
        } else if (const std::string_view embedded = indented ? embeddedEntry(line) : std::string_view();
                   !embedded.empty()) {
            // 2. A new entry after the source note of the one before.
            flush();
            append(embedded);
            state = State::Head;
        } else if (state == State::Head ||
                   (state == State::HeadEnded && line.front() == '\\' && awaitsDivision(head))) {
            // 3. The head goes on, also after a blank line when a division stands at the margin.
            append(line);
            state = State::Head;
        } else if (state != State::Outside) {
            state = State::Body;
        }
        previous = line;
    }
    flush();
}
