// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/VowelGroupRule.h"

#include <vector>

namespace VowelGroupRule {

namespace {

bool isVowelAt(std::string_view w, std::size_t i) {
    const char c = w[i];
    if (c == 'y')
        return !(i == 0 && w.size() > 1 && std::string_view("aeiou").find(w[1]) != std::string_view::npos);
    return std::string_view("aeiou").find(c) != std::string_view::npos;
}

} // namespace

std::string divide(std::string_view letters) {
    // 1. Where each vowel group starts and ends.
    std::vector<std::pair<std::size_t, std::size_t>> groups;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (!isVowelAt(letters, i))
            continue;
        if (!groups.empty() && groups.back().second == i)
            groups.back().second = i + 1;
        else
            groups.push_back({i, i + 1});
    }
    // 2. A silent final e.
    const std::size_t n = letters.size();
    bool consonantLe = false;
    if (groups.size() > 1 && groups.back().first == n - 1 && letters[n - 1] == 'e') {
        consonantLe = n >= 3 && letters[n - 2] == 'l' && !isVowelAt(letters, n - 3) && letters[n - 3] != 'l';
        if (!consonantLe)
            groups.pop_back();
    }
    // 3. A boundary in each consonant run between two groups.
    std::vector<std::size_t> boundaries;
    for (std::size_t g = 1; g < groups.size(); ++g) {
        const std::size_t run = groups[g].first - groups[g - 1].second;
        boundaries.push_back(run <= 1 ? groups[g].first - run : groups[g - 1].second + 1);
    }
    if (consonantLe)
        boundaries.back() = n - 3; // the consonant before a heard "le" goes with it ("ta*ble", "can*dle")
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (next < boundaries.size() && boundaries[next] == i) {
            out += '*';
            ++next;
        }
        out += letters[i];
    }
    return out;
}

} // namespace VowelGroupRule
