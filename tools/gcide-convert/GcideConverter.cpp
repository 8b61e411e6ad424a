// SPDX-License-Identifier: GPL-3.0-or-later
#include "GcideConverter.h"

#include "GcideEntrySplitter.h"
#include "GcideHead.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

namespace {

// The text on the line after "00-database-short" in the database's own description.
std::string databaseShortName(std::string_view text) {
    constexpr std::string_view kKey = "00-database-short";
    const std::size_t key = text.find(kKey);
    if (key == std::string_view::npos)
        return {};
    std::size_t start = text.find('\n', key);
    if (start == std::string_view::npos)
        return {};
    std::size_t end = text.find('\n', start + 1);
    std::string_view line = text.substr(start + 1, end == std::string_view::npos ? end : end - start - 1);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front())))
        line.remove_prefix(1);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        line.remove_suffix(1);
    return std::string(line);
}

// The header lines, each given without its "# ".
std::string headerText(const std::vector<std::string>& header) {
    std::string text;
    for (const std::string& comment : header)
        text += (comment.empty() ? "#" : "# " + comment) + '\n';
    return text;
}

} // namespace

void GcideConverter::add(std::string_view gcideText) {
    if (m_sourceName.empty())
        m_sourceName = databaseShortName(gcideText.substr(0, std::min<std::size_t>(gcideText.size(), 4096)));
    GcideEntrySplitter::split(gcideText, [this](std::string_view head) { addHead(head); });
}

void GcideConverter::addHead(std::string_view head) {
    const GcideHead::Result result = GcideHead::parse(head);
    ++m_counts.entries;
    m_counts.mismatchesKept += result.mismatchesKept;
    m_counts.mismatchesDropped += result.mismatchesDropped;
    for (const GcideHead::Spelling& spelling : result.spellings) {
        ++m_counts.spellings;
        std::vector<Homograph>& homographs = m_words[spelling.word];
        const bool known = std::any_of(homographs.begin(), homographs.end(), [&](const Homograph& h) {
            return h.division == spelling.division && h.label == spelling.label;
        });
        if (!known)
            homographs.push_back({spelling.division, spelling.stressed, spelling.label, spelling.marked});
        for (const std::string& form : spelling.forms)
            m_forms.emplace(form, spelling.word);
    }
}

std::string GcideConverter::foldCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::pair<std::string, std::string>> GcideConverter::formLines() const {
    // A form that is a headword itself (in any letter case) has its own line already.
    std::unordered_set<std::string> headwords;
    headwords.reserve(m_words.size());
    for (const auto& [word, homographs] : m_words)
        headwords.insert(foldCase(word));
    std::vector<std::pair<std::string, std::string>> lines;
    for (const auto& [form, word] : m_forms) {
        if (!headwords.contains(foldCase(form)))
            lines.emplace_back(form, form + "|=" + word);
    }
    return lines;
}

std::string GcideConverter::dictionaryText(const std::vector<std::string>& header) const {
    // 1. Entry lines and form lines, each with the field it is sorted by.
    std::vector<std::pair<std::string, std::string>> lines = formLines();
    for (const auto& [word, homographs] : m_words) {
        std::string line = word;
        for (const Homograph& homograph : homographs)
            line += '|' + homograph.stressed + (homograph.label.empty() ? "" : ":" + homograph.label);
        lines.emplace_back(word, std::move(line));
    }
    // 2. Byte order of the first field.
    std::sort(lines.begin(), lines.end());
    // 3. The header, then the lines.
    std::string text = headerText(header);
    for (const auto& line : lines)
        text += line.second + '\n';
    return text;
}

std::string GcideConverter::stressText(const std::vector<std::string>& header) const {
    std::string text = headerText(header);
    for (const auto& [word, homographs] : m_words) {
        if (word.find_first_of(" -") != std::string::npos)
            continue;
        std::vector<std::string> stressed;
        for (const Homograph& homograph : homographs) {
            if (homograph.marked && std::find(stressed.begin(), stressed.end(), homograph.stressed) == stressed.end())
                stressed.push_back(homograph.stressed);
        }
        if (stressed.empty())
            continue;
        text += word;
        for (const std::string& division : stressed)
            text += '|' + division;
        text += '\n';
    }
    return text;
}

GcideConverter::Stats GcideConverter::stats() const {
    Stats stats = m_counts;
    stats.headwords = static_cast<int>(m_words.size());
    for (const auto& [word, homographs] : m_words) {
        const bool marked =
            std::any_of(homographs.begin(), homographs.end(), [](const Homograph& h) { return h.marked; });
        const bool boundary = std::any_of(homographs.begin(), homographs.end(),
                                          [](const Homograph& h) { return h.division.find('*') != std::string::npos; });
        stats.marked += marked ? 1 : 0;
        stats.withBoundary += boundary ? 1 : 0;
    }
    stats.unmarked = stats.headwords - stats.marked;
    stats.forms = static_cast<int>(formLines().size());
    return stats;
}
