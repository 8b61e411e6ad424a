// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The syllable model shared by the estimator and its trainer: which features a word has, and how the best
// division is found from their weights. Both sides must agree bit for bit, so this is the one place that says it.
//
// A word is seen as its letters folded to ASCII lower case, padded as "^letters$". Two kinds of feature:
//   gap features      every letter string of the padded word of up to maxGram letters that touches a gap between
//                     two letters, with at most maxLeft letters left and maxRight right of the gap, together with
//                     where the gap sits in it (Liang's patterns, with a weight instead of a level);
//   syllable features each candidate syllable of up to maxSyllable letters: alone, with its place in the word
//                     (first, inner, last, whole), with the letters on both sides, with the letter before.
// Each feature is hashed to a slot of a table of 2^tableBits weights and to a sign (+1 or -1); a syllable's score
// is the sum of its features' signed weights and the score of the gap it starts at. The best division is the one
// with the highest total score in which every syllable holds a vowel letter (a, e, i, o, u, y).
namespace SyllableModel {

struct Shape {
    int tableBits = 18;
    int maxLeft = 4;
    int maxRight = 4;
    int maxGram = 5;
    int maxSyllable = 9;
};

// Bounds that a model file's shape must keep (a shape outside them is a bad file).
constexpr int kMinTableBits = 8;
constexpr int kMaxTableBits = 24;
constexpr int kMaxContext = 8;
constexpr int kMaxGram = 12;
constexpr int kMaxSyllable = 16;

// Stands for a letter that has no ASCII form (Greek, Cyrillic, ...): a consonant to the model.
constexpr char kOtherLetter = '#';

inline bool isVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'y';
}

// The ASCII lower-case letters a letter folds to ("É" -> "e", "æ" -> "ae", "ß" -> "ss"); empty when it has none.
QString foldLetter(QChar letter);

namespace detail {
constexpr std::uint64_t kPrime = 1099511628211ull;
constexpr std::uint64_t kGapSeed = 0x9E3779B97F4A7C15ull;
constexpr std::uint64_t kSyllableSeed = 0x84222325CBF29CE4ull;
constexpr std::uint64_t kAroundSeed = 0x5BD1E9955BD1E995ull;
constexpr std::uint64_t kBeforeSeed = 0x1B8735931B873593ull;

inline std::uint64_t step(std::uint64_t h, char c) {
    return (h ^ static_cast<unsigned char>(c)) * kPrime;
}
inline std::uint64_t mix(std::uint64_t h) {
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return h;
}
// A slot: its index in the low bits, its sign in bit 31 (set: -1).
inline std::uint32_t slot(std::uint64_t mixed, std::uint32_t offset, std::uint32_t mask) {
    return ((static_cast<std::uint32_t>(mixed) + offset) & mask) | ((mixed >> 63) ? 0x80000000u : 0u);
}
} // namespace detail

inline std::uint32_t slotIndex(std::uint32_t slot) {
    return slot & 0x7FFFFFFFu;
}
inline bool slotNegative(std::uint32_t slot) {
    return (slot & 0x80000000u) != 0;
}

// What finding a division needs besides the weights; kept by the caller so that its buffers are reused.
template <typename Score> struct Workspace {
    std::string padded;
    std::vector<int> nextVowel;
    std::vector<Score> gap;
    std::vector<Score> best;
    std::vector<int> from;
    std::vector<int> boundaries;
};

// Calls visit(gap, slot) for every gap feature of the padded word ("^letters$"). Gap g is the boundary before
// letter g of the word (1 .. letters-1).
template <typename Visit> void forEachGapFeature(const Shape& shape, std::string_view padded, Visit&& visit) {
    const int size = int(padded.size());
    const std::uint32_t mask = (1u << shape.tableBits) - 1;
    for (int first = 0; first < size; ++first) {
        std::uint64_t h = detail::kGapSeed;
        for (int end = first + 1; end <= size && end - first <= shape.maxGram; ++end) {
            h = detail::step(h, padded[end - 1]);
            const std::uint64_t mixed = detail::mix(h);
            // Gaps inside the word only: padded positions 2 .. size-2 (before letter 1 .. letters-1).
            const int lowest = std::max({first, 2, end - shape.maxRight});
            const int highest = std::min({end, size - 2, first + shape.maxLeft});
            for (int k = lowest; k <= highest; ++k)
                visit(k - 1, detail::slot(mixed, std::uint32_t(k - first), mask));
        }
    }
}

// Calls visit(slot) for the features of the syllable made of letters [begin, end) of the word; syllableHash is
// the running hash of its letters (see syllableStep).
template <typename Visit>
void forEachSyllableFeature(const Shape& shape, std::string_view padded, int begin, int end, std::uint64_t syllableHash,
                            Visit&& visit) {
    const std::uint32_t mask = (1u << shape.tableBits) - 1;
    const int letters = int(padded.size()) - 2;
    const std::uint32_t place = (begin == 0 ? 1u : 0u) | (end == letters ? 2u : 0u);
    const std::uint64_t mixed = detail::mix(syllableHash);
    visit(detail::slot(mixed, place, mask));
    visit(detail::slot(mixed, 4, mask));
    const std::uint64_t before = detail::step(syllableHash ^ detail::kBeforeSeed, padded[begin]);
    visit(detail::slot(detail::mix(before), 0, mask));
    const std::uint64_t around =
        detail::step(detail::step(syllableHash ^ detail::kAroundSeed, padded[begin]), padded[end + 1]);
    visit(detail::slot(detail::mix(around), 0, mask));
}

inline std::uint64_t syllableStart() {
    return detail::kSyllableSeed;
}
inline std::uint64_t syllableStep(std::uint64_t h, char letter) {
    return detail::step(h, letter);
}

// Finds the best division of the folded letters. weight(slot) gives a feature's signed weight; gapBias (may be
// empty) adds to each gap's score (the trainer's margin). Returns the gaps that are boundaries, in order (held in
// the workspace). A word without a vowel letter stays whole.
template <typename Score, typename Weight>
const std::vector<int>& bestDivision(const Shape& shape, std::string_view letters, Weight&& weight,
                                     Workspace<Score>& work, const std::vector<Score>& gapBias = {}) {
    // 1. The padded word and, for each position, where the next vowel is.
    const int n = int(letters.size());
    work.boundaries.clear();
    work.padded.assign(1, '^').append(letters).append(1, '$');
    const std::string_view padded = work.padded;
    std::vector<int>& nextVowel = work.nextVowel;
    nextVowel.assign(n + 1, n);
    int longestRun = 0;
    for (int i = n - 1, run = 0; i >= 0; --i) {
        nextVowel[i] = isVowel(letters[i]) ? i : nextVowel[i + 1];
        run = isVowel(letters[i]) ? 0 : run + 1;
        longestRun = std::max(longestRun, run);
    }
    if (n == 0 || nextVowel[0] == n)
        return work.boundaries;

    // 2. Each gap's score.
    std::vector<Score>& gap = work.gap;
    gap.assign(n, Score{});
    forEachGapFeature(shape, padded, [&](int g, std::uint32_t slot) { gap[g] += weight(slot); });
    for (int g = 1; g < n && g < int(gapBias.size()); ++g)
        gap[g] += gapBias[g];

    // 3. Best score of the letters before each position, syllable by syllable. A syllable may be longer than
    //    maxSyllable (without features of its own) as far as needed to hold a vowel across a consonant run.
    const int longest = std::max(shape.maxSyllable, 2 * longestRun + 1);
    std::vector<Score>& best = work.best;
    std::vector<int>& from = work.from;
    best.assign(n + 1, Score{});
    from.assign(n + 1, -1);
    from[0] = 0;
    for (int i = 0; i < n; ++i) {
        if (from[i] < 0)
            continue;
        std::uint64_t h = syllableStart();
        for (int j = i + 1; j <= n && j - i <= longest; ++j) {
            if (j - i <= shape.maxSyllable)
                h = syllableStep(h, letters[j - 1]);
            if (nextVowel[i] >= j || (j < n && nextVowel[j] == n))
                continue; // this syllable or the rest of the word would have no vowel
            Score value = best[i] + (i > 0 ? gap[i] : Score{});
            if (j - i <= shape.maxSyllable)
                forEachSyllableFeature(shape, padded, i, j, h, [&](std::uint32_t slot) { value += weight(slot); });
            if (from[j] < 0 || value > best[j]) {
                best[j] = value;
                from[j] = i;
            }
        }
    }

    // 4. Walk back from the end.
    for (int j = n; j > 0; j = from[j])
        if (from[j] > 0)
            work.boundaries.push_back(from[j]);
    std::reverse(work.boundaries.begin(), work.boundaries.end());
    return work.boundaries;
}

} // namespace SyllableModel
