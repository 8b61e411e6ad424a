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
//   word features     (when maxSuffix or maxPrefix is above 0) the word's last k letters (k = 0 .. maxSuffix)
//                     with a gap's place counted in vowel groups from the end and the consonants touching it,
//                     and the first k letters (k = 0 .. maxPrefix) with the place counted from the start;
//   stress features   (when stressLevels is above 1) each syllable also carries a stress label, and the gap and
//                     syllable features are also seen with the labels around them, next to the labels' own
//                     features (with the word's ends and the syllable's place) and their sequence. The labels are
//                     found together with the division; only the division is used.
// Each feature is hashed to a slot of a table of 2^tableBits weights and to a sign (+1 or -1); a syllable's score
// is the sum of its features' signed weights and the score of the gap it starts at. The best division is the one
// with the highest total score in which every syllable holds a vowel letter (a, e, i, o, u, y) and at most two
// vowel groups.
namespace SyllableModel {

struct Shape {
    int tableBits = 18;
    int maxLeft = 4;
    int maxRight = 4;
    int maxGram = 5;
    int maxSyllable = 9;
    int maxSuffix = 0;
    int maxPrefix = 0;
    int stressLevels = 1;
};

// Bounds that a model file's shape must keep (a shape outside them is a bad file).
constexpr int kMinTableBits = 8;
constexpr int kMaxTableBits = 24;
constexpr int kMaxContext = 8;
constexpr int kMaxGram = 12;
constexpr int kMaxSyllable = 16;
constexpr int kMaxAffix = 8;
constexpr int kMaxStressLevels = 3;

// A syllable holds at most this many vowel groups ("ware", "phone": a silent e makes the second).
constexpr int kMostGroups = 2;

// Stands for a letter that has no ASCII form (Greek, Cyrillic, ...): a consonant to the model.
constexpr char kOtherLetter = '#';

inline bool isVowel(char c) {
    // One bit a letter: a, e, i, o, u and y.
    constexpr std::uint32_t kVowels = (1u << 0) | (1u << 4) | (1u << 8) | (1u << 14) | (1u << 20) | (1u << 24);
    const unsigned index = static_cast<unsigned char>(c) - unsigned('a');
    return index < 26 && ((kVowels >> index) & 1u) != 0;
}

// The ASCII lower-case letters a letter folds to ("É" -> "e", "æ" -> "ae", "ß" -> "ss"); empty when it has none.
QString foldLetter(QChar letter);

namespace detail {
constexpr std::uint64_t kPrime = 1099511628211ull;
constexpr std::uint64_t kGapSeed = 0x9E3779B97F4A7C15ull;
constexpr std::uint64_t kSyllableSeed = 0x84222325CBF29CE4ull;
constexpr std::uint64_t kAroundSeed = 0x5BD1E9955BD1E995ull;
constexpr std::uint64_t kBeforeSeed = 0x1B8735931B873593ull;
constexpr std::uint64_t kSuffixSeed = 0x2545F4914F6CDD1Dull;
constexpr std::uint64_t kPrefixSeed = 0x61C8864680B583EBull;

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

namespace detail {
// The running hashes of the word's last k letters (suffix[k], k = 0 .. suffixes) and of its first k letters.
inline void hashEnds(std::string_view letters, int suffixes, int prefixes, std::uint64_t* suffix,
                     std::uint64_t* prefix) {
    const int n = int(letters.size());
    suffix[0] = kSuffixSeed;
    for (int k = 1; k <= suffixes; ++k)
        suffix[k] = step(suffix[k - 1], letters[n - k]);
    prefix[0] = kPrefixSeed;
    for (int k = 1; k <= prefixes; ++k)
        prefix[k] = step(prefix[k - 1], letters[k - 1]);
}

// A gap's place: vowel groups counted from one end of the word, and the consonants touching it on each side.
inline std::uint64_t placeCode(int groups, int consonantsLeft, int consonantsRight) {
    return std::uint64_t(std::min(groups, 7) * 16 + std::min(consonantsLeft, 3) * 4 + std::min(consonantsRight, 3));
}
} // namespace detail

// Calls visit(gap, slot) for the word-level features of each gap: the word's last k letters (k = 0 .. maxSuffix)
// with the gap's place counted from the word's end, and its first k letters with the place counted from the start.
// A suffix such as "ity" or "ic" decides the stress, and the stress decides where the consonants go.
template <typename Visit> void forEachWordContextFeature(const Shape& shape, std::string_view letters, Visit&& visit) {
    const int n = int(letters.size());
    if (n < 2 || (shape.maxSuffix <= 0 && shape.maxPrefix <= 0))
        return;
    const std::uint32_t mask = (1u << shape.tableBits) - 1;
    // 1. The hashes of the word's ends.
    std::uint64_t suffix[kMaxAffix + 1];
    std::uint64_t prefix[kMaxAffix + 1];
    const int suffixes = shape.maxSuffix > 0 ? std::min({shape.maxSuffix, kMaxAffix, n}) : -1;
    const int prefixes = shape.maxPrefix > 0 ? std::min({shape.maxPrefix, kMaxAffix, n}) : -1;
    detail::hashEnds(letters, suffixes, prefixes, suffix, prefix);
    // Each end's features lie side by side in the table (the place is added to the slot), so that the word's
    // gaps read the same few cache lines.
    for (int k = 0; k <= suffixes; ++k)
        suffix[k] = detail::mix(suffix[k] + std::uint64_t(k));
    for (int k = 0; k <= prefixes; ++k)
        prefix[k] = detail::mix(prefix[k] + std::uint64_t(k));
    // 2. The vowel groups.
    int groups = 0;
    for (int i = 0; i < n; ++i)
        groups += isVowel(letters[i]) && (i == 0 || !isVowel(letters[i - 1]));
    // 3. Each gap with its place.
    int startedBefore = isVowel(letters[0]) ? 1 : 0; // groups that start left of gap g
    int consonantsLeft = isVowel(letters[0]) ? 0 : 1;
    for (int g = 1; g < n; ++g) {
        const bool inside = isVowel(letters[g - 1]) && isVowel(letters[g]);
        int consonantsRight = 0;
        while (g + consonantsRight < n && consonantsRight < 3 && !isVowel(letters[g + consonantsRight]))
            ++consonantsRight;
        const int groupsRight = groups - startedBefore + (inside ? 1 : 0);
        const std::uint64_t fromEnd = detail::placeCode(groupsRight, consonantsLeft, consonantsRight);
        const std::uint64_t fromStart = detail::placeCode(startedBefore, consonantsLeft, consonantsRight);
        for (int k = 0; k <= suffixes; ++k)
            visit(g, detail::slot(suffix[k], std::uint32_t(fromEnd), mask));
        for (int k = 0; k <= prefixes; ++k)
            visit(g, detail::slot(prefix[k], std::uint32_t(fromStart), mask));
        // The next gap.
        if (isVowel(letters[g])) {
            startedBefore += isVowel(letters[g - 1]) ? 0 : 1;
            consonantsLeft = 0;
        } else {
            ++consonantsLeft;
        }
    }
}

// Calls visit(gap, slot) for every gap feature of the padded word ("^letters$"). Gap g is the boundary before
// letter g of the word (1 .. letters-1).
template <typename Visit> void forEachGapFeature(const Shape& shape, std::string_view padded, Visit&& visit) {
    // The shape's numbers are copied, as visit may write through an int reference that the compiler cannot
    // tell apart from them.
    const int size = int(padded.size());
    const std::uint32_t mask = (1u << shape.tableBits) - 1;
    const int maxGram = shape.maxGram;
    const int maxLeft = shape.maxLeft;
    const int maxRight = shape.maxRight;
    // Gaps inside the word only: padded positions 2 .. size-2 (before letter 1 .. letters-1).
    const int lastGap = size - 2;
    for (int first = 0; first <= lastGap; ++first) {
        std::uint64_t h = detail::kGapSeed;
        const int highestFromStart = std::min(lastGap, first + maxLeft);
        const int lastEnd = std::min(size, first + maxGram);
        for (int end = first + 1; end <= lastEnd; ++end) {
            h = detail::step(h, padded[end - 1]);
            const int lowest = std::max(std::max(first, 2), end - maxRight);
            const int highest = std::min(end, highestFromStart);
            if (lowest > highest)
                continue;
            const std::uint64_t mixed = detail::mix(h);
            for (int k = lowest; k <= highest; ++k)
                visit(k - 1, detail::slot(mixed, std::uint32_t(k - first), mask));
        }
    }
    if (shape.maxSuffix > 0 || shape.maxPrefix > 0)
        forEachWordContextFeature(shape, padded.substr(1, padded.size() - 2), visit);
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

// Stress: with stressLevels L > 1 each syllable also gets a stress label 0 .. L-1 (0: unstressed), and the
// features are also seen together with the labels; label L stands for the start of the word.
namespace detail {
constexpr std::uint64_t kStressSeed = 0xD6E8FEB86659FD93ull;
constexpr std::uint64_t kEndSeed = 0xA0761D6478BD642Full;
constexpr std::uint64_t kStartSeed = 0xE7037ED1A0B428DBull;
constexpr std::uint64_t kTransitionSeed = 0x8EBC6AF09C88C6E3ull;
inline std::uint32_t conjoin(std::uint32_t slot, int label, std::uint32_t mask) {
    return detail::slot(mix((std::uint64_t(slot) ^ kStressSeed) * kPrime + std::uint64_t(label)), 0, mask);
}
} // namespace detail

// What the stress features need to know of a word: its vowel groups and the hashes of its ends.
struct WordShape {
    std::vector<int> groupsFrom;  // vowel groups with a letter at or after position i
    std::vector<int> groupsUntil; // vowel groups with a letter before position i
    std::uint64_t suffix[kMaxAffix + 1];
    std::uint64_t prefix[kMaxAffix + 1];
    int suffixes = 0;
    int prefixes = 0;

    void measure(const Shape& shape, std::string_view letters) {
        const int n = int(letters.size());
        groupsFrom.assign(n + 1, 0);
        groupsUntil.assign(n + 1, 0);
        for (int i = n - 1; i >= 0; --i)
            groupsFrom[i] = groupsFrom[i + 1] + (isVowel(letters[i]) && (i + 1 == n || !isVowel(letters[i + 1])));
        for (int i = 1; i <= n; ++i)
            groupsUntil[i] = groupsUntil[i - 1] + (isVowel(letters[i - 1]) && (i == 1 || !isVowel(letters[i - 2])));
        suffixes = std::min({std::max(shape.maxSuffix, 0), kMaxAffix, n});
        prefixes = std::min({std::max(shape.maxPrefix, 0), kMaxAffix, n});
        detail::hashEnds(letters, suffixes, prefixes, suffix, prefix);
    }
};

namespace detail {
// One feature for each of the first ends (k = 0 .. last) of the word, with a code for the syllable.
template <typename Visit>
void visitEnds(const std::uint64_t* ends, int last, std::uint64_t seed, std::uint64_t code, std::uint32_t mask,
               Visit&& visit) {
    for (int k = 0; k <= last; ++k)
        visit(slot(mix(step(ends[k] ^ seed, char(code)) + std::uint64_t(k)), 0, mask));
}
} // namespace detail

// A syllable ending at j with label s: the word's end and how many vowel groups follow.
template <typename Visit>
void forEachEndFeature(const Shape& shape, const WordShape& word, int j, int s, Visit&& visit) {
    const std::uint64_t code = std::uint64_t(std::min(word.groupsFrom[j], 7) * 8 + s);
    detail::visitEnds(word.suffix, std::min(word.suffixes, 4), detail::kEndSeed, code, (1u << shape.tableBits) - 1,
                      visit);
}

// A syllable starting at i with label s: the word's start and how many vowel groups come before.
template <typename Visit>
void forEachStartFeature(const Shape& shape, const WordShape& word, int i, int s, Visit&& visit) {
    const std::uint64_t code = std::uint64_t(std::min(word.groupsUntil[i], 7) * 8 + s);
    detail::visitEnds(word.prefix, std::min(word.prefixes, 3), detail::kStartSeed, code, (1u << shape.tableBits) - 1,
                      visit);
}

// A syllable ending at j with label s after one with label p.
template <typename Visit>
void forEachTransitionFeature(const Shape& shape, const WordShape& word, int j, int p, int s, Visit&& visit) {
    const std::uint64_t code = std::uint64_t((std::min(word.groupsFrom[j], 7) * 8 + p) * 8 + s);
    detail::visitEnds(word.suffix, std::min(word.suffixes, 2), detail::kTransitionSeed, code,
                      (1u << shape.tableBits) - 1, visit);
}

// Calls visit(slot) for every feature of a division of the word with the given stress labels (one a syllable;
// ignored with one stress level): what the best division's score is the sum of.
template <typename Visit>
void forEachDivisionFeature(const Shape& shape, std::string_view letters, const std::vector<int>& boundaries,
                            const std::vector<int>& labels, Visit&& visit) {
    const int n = int(letters.size());
    const int levels = shape.stressLevels;
    const std::uint32_t mask = (1u << shape.tableBits) - 1;
    const std::string padded = '^' + std::string(letters) + '$';
    std::vector<int> before(n + 1, -1); // label of the syllable ending at a boundary
    std::vector<int> after(n + 1, -1);
    for (std::size_t k = 0; k < boundaries.size(); ++k) {
        before[boundaries[k]] = levels > 1 ? labels[k] : 0;
        after[boundaries[k]] = levels > 1 ? labels[k + 1] : 0;
    }
    forEachGapFeature(shape, padded, [&](int g, std::uint32_t slot) {
        if (before[g] < 0)
            return;
        visit(slot);
        if (levels > 1)
            visit(detail::conjoin(slot, before[g] * levels + after[g] + 1, mask));
    });
    WordShape word;
    if (levels > 1)
        word.measure(shape, letters);
    int begin = 0;
    for (std::size_t k = 0; k <= boundaries.size(); ++k) {
        const int end = k < boundaries.size() ? boundaries[k] : n;
        const int s = levels > 1 ? labels[k] : 0;
        if (end - begin <= shape.maxSyllable) {
            std::uint64_t h = syllableStart();
            for (int i = begin; i < end; ++i)
                h = syllableStep(h, letters[i]);
            forEachSyllableFeature(shape, padded, begin, end, h, [&](std::uint32_t slot) {
                visit(slot);
                if (levels > 1)
                    visit(detail::conjoin(slot, s, mask));
            });
        }
        if (levels > 1) {
            forEachEndFeature(shape, word, end, s, visit);
            forEachStartFeature(shape, word, begin, s, visit);
            forEachTransitionFeature(shape, word, end, k == 0 ? levels : labels[k - 1], s, visit);
        }
        begin = end;
    }
}

// A gap bias for bestDivision that holds the search to these boundaries (a boundary at each, none elsewhere); the
// best score it finds is then the division's own plus kForce for each boundary.
constexpr int kForce = 1 << 20;
inline void forceBoundaries(std::size_t letters, const std::vector<int>& boundaries, std::vector<int>& bias) {
    bias.assign(letters, -kForce);
    for (const int gap : boundaries)
        bias[std::size_t(gap)] = kForce;
}

// What finding a division needs besides the weights; kept by the caller so that its buffers are reused.
template <typename Score> struct Workspace {
    std::string padded;
    std::vector<int> nextVowel;
    std::vector<int> groupStart; // the first position at or after each that starts a vowel group
    std::vector<Score> gap;
    std::vector<Score> ends;
    std::vector<Score> starts;
    std::vector<Score> moves;
    std::vector<Score> best;
    std::vector<int> from;
    std::vector<int> boundaries;
    std::vector<int> labels;
    Score score{}; // the best division's total score (gap biases included)
    WordShape word;
};

namespace detail {
// Where a syllable starting at letter i ends at the latest: before the third vowel group it would touch.
template <typename Score> int lastEnd(const Workspace<Score>& work, int i, int n) {
    const bool insideGroup = i > 0 && work.nextVowel[i] == i && work.nextVowel[i - 1] == i - 1;
    int end = insideGroup ? i : work.groupStart[i];
    for (int k = 0; k < kMostGroups && end < n; ++k)
        end = work.groupStart[end + 1];
    return end;
}

// bestDivision without stress labels, from step 2 on: the same result as the general case with one level, in a
// fraction of the time.
template <typename Score, typename Weight>
const std::vector<int>& plainDivision(const Shape& shape, std::string_view letters, Weight&& weight,
                                      Workspace<Score>& work, const std::vector<Score>& gapBias, int longestRun) {
    const int n = int(letters.size());
    const std::string_view padded = work.padded;
    const std::vector<int>& nextVowel = work.nextVowel;
    std::vector<Score>& gap = work.gap;
    gap.assign(n, Score{});
    forEachGapFeature(shape, padded, [&](int g, std::uint32_t slot) { gap[g] += weight(slot); });
    for (int g = 1; g < n && g < int(gapBias.size()); ++g)
        gap[g] += gapBias[g];
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
        const int last = std::min(detail::lastEnd(work, i, n), i + longest);
        for (int j = i + 1; j <= last; ++j) {
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
    work.score = best[n];
    for (int j = n; j > 0; j = from[j]) {
        work.labels.push_back(0);
        if (from[j] > 0)
            work.boundaries.push_back(from[j]);
    }
    std::reverse(work.boundaries.begin(), work.boundaries.end());
    return work.boundaries;
}
} // namespace detail

// Finds the best division of the folded letters. weight(slot) gives a feature's signed weight; gapBias (may be
// empty) adds to each gap's score (the trainer's margin). Returns the gaps that are boundaries, in order (held in
// the workspace, with the syllables' stress labels in work.labels). A word without a vowel letter stays whole.
template <typename Score, typename Weight>
const std::vector<int>& bestDivision(const Shape& shape, std::string_view letters, Weight&& weight,
                                     Workspace<Score>& work, const std::vector<Score>& gapBias = {}) {
    // 1. The padded word and, for each position, where the next vowel is.
    const int n = int(letters.size());
    const int levels = shape.stressLevels;
    const int states = levels + 1;
    const std::uint32_t mask = (1u << shape.tableBits) - 1;
    work.boundaries.clear();
    work.labels.clear();
    work.padded.assign(1, '^').append(letters).append(1, '$');
    const std::string_view padded = work.padded;
    std::vector<int>& nextVowel = work.nextVowel;
    std::vector<int>& groupStart = work.groupStart;
    nextVowel.assign(n + 1, n);
    groupStart.assign(n + 2, n);
    int longestRun = 0;
    for (int i = n - 1, run = 0; i >= 0; --i) {
        const bool vowel = isVowel(letters[i]);
        nextVowel[i] = vowel ? i : nextVowel[i + 1];
        groupStart[i] = vowel && (i == 0 || !isVowel(letters[i - 1])) ? i : groupStart[i + 1];
        run = vowel ? 0 : run + 1;
        longestRun = std::max(longestRun, run);
    }
    if (n == 0 || nextVowel[0] == n) {
        work.labels.push_back(0);
        work.score = Score{};
        return work.boundaries;
    }

    if (levels == 1)
        return detail::plainDivision(shape, letters, weight, work, gapBias, longestRun);

    // 2. Each gap's score, alone and for each pair of labels around it.
    std::vector<Score>& gap = work.gap;
    gap.assign(std::size_t(n) * (1 + levels * levels), Score{});
    const int pairs = levels * levels;
    forEachGapFeature(shape, padded, [&](int g, std::uint32_t slot) {
        Score* at = &gap[std::size_t(g) * (1 + pairs)];
        at[0] += weight(slot);
        if (levels > 1)
            for (int pair = 0; pair < pairs; ++pair)
                at[1 + pair] += weight(detail::conjoin(slot, pair + 1, mask));
    });
    for (int g = 1; g < n && g < int(gapBias.size()); ++g)
        gap[std::size_t(g) * (1 + pairs)] += gapBias[g];

    // 3. With stress: the scores that depend on a syllable's end or start and its label only.
    std::vector<Score>& ends = work.ends;     // [j][s]
    std::vector<Score>& starts = work.starts; // [i][s]
    std::vector<Score>& moves = work.moves;   // [j][p][s]
    if (levels > 1) {
        work.word.measure(shape, letters);
        ends.assign(std::size_t(n + 1) * levels, Score{});
        starts.assign(std::size_t(n + 1) * levels, Score{});
        moves.assign(std::size_t(n + 1) * states * levels, Score{});
        for (int j = 0; j <= n; ++j)
            for (int s = 0; s < levels; ++s) {
                forEachEndFeature(shape, work.word, j, s,
                                  [&](std::uint32_t slot) { ends[std::size_t(j) * levels + s] += weight(slot); });
                forEachStartFeature(shape, work.word, j, s,
                                    [&](std::uint32_t slot) { starts[std::size_t(j) * levels + s] += weight(slot); });
                for (int p = 0; p < states; ++p)
                    forEachTransitionFeature(shape, work.word, j, p, s, [&](std::uint32_t slot) {
                        moves[(std::size_t(j) * states + p) * levels + s] += weight(slot);
                    });
            }
    }

    // 4. Best score of the letters before each position ending in a syllable of each label, syllable by syllable.
    //    A syllable may be longer than maxSyllable (without features of its own) as far as needed to hold a vowel
    //    across a consonant run.
    const int longest = std::max(shape.maxSyllable, 2 * longestRun + 1);
    std::vector<Score>& best = work.best;
    std::vector<int>& from = work.from;
    best.assign(std::size_t(n + 1) * states, Score{});
    from.assign(std::size_t(n + 1) * states, -1);
    from[levels] = 0; // the start: position 0, label "start"
    Score syllable[kMaxStressLevels];
    for (int i = 0; i < n; ++i) {
        std::uint64_t h = syllableStart();
        const int last = std::min(detail::lastEnd(work, i, n), i + longest);
        for (int j = i + 1; j <= last; ++j) {
            if (j - i <= shape.maxSyllable)
                h = syllableStep(h, letters[j - 1]);
            if (nextVowel[i] >= j || (j < n && nextVowel[j] == n))
                continue; // this syllable or the rest of the word would have no vowel
            // The syllable's own score for each label.
            for (int s = 0; s < levels; ++s)
                syllable[s] =
                    levels > 1 ? ends[std::size_t(j) * levels + s] + starts[std::size_t(i) * levels + s] : Score{};
            if (j - i <= shape.maxSyllable)
                forEachSyllableFeature(shape, padded, i, j, h, [&](std::uint32_t slot) {
                    const Score plain = weight(slot);
                    syllable[0] += plain;
                    for (int s = 1; s < levels; ++s)
                        syllable[s] += plain;
                    if (levels > 1)
                        for (int s = 0; s < levels; ++s)
                            syllable[s] += weight(detail::conjoin(slot, s, mask));
                });
            // Joined to the best way to each label before it.
            for (int p = 0; p < states; ++p) {
                const std::size_t at = std::size_t(i) * states + p;
                if (from[at] < 0 || (i == 0) != (p == levels))
                    continue;
                const Score* gapAt = &gap[std::size_t(i) * (1 + pairs)];
                for (int s = 0; s < levels; ++s) {
                    Score value = best[at] + syllable[s];
                    if (i > 0)
                        value += gapAt[0] + (levels > 1 ? gapAt[1 + p * levels + s] : Score{});
                    if (levels > 1)
                        value += moves[(std::size_t(j) * states + p) * levels + s];
                    const std::size_t to = std::size_t(j) * states + s;
                    if (from[to] < 0 || value > best[to]) {
                        best[to] = value;
                        from[to] = int(at);
                    }
                }
            }
        }
    }

    // 5. Walk back from the best label at the end.
    std::size_t at = std::size_t(n) * states;
    for (int s = 1; s < levels; ++s)
        if (from[std::size_t(n) * states + s] >= 0 && (from[at] < 0 || best[std::size_t(n) * states + s] > best[at]))
            at = std::size_t(n) * states + s;
    work.score = best[at];
    while (at != std::size_t(levels)) {
        work.labels.push_back(int(at % states));
        const std::size_t previous = std::size_t(from[at]);
        if (previous / states > 0)
            work.boundaries.push_back(int(previous / states));
        at = previous;
    }
    std::reverse(work.boundaries.begin(), work.boundaries.end());
    std::reverse(work.labels.begin(), work.labels.end());
    return work.boundaries;
}

} // namespace SyllableModel
