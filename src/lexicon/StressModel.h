// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The stress model shared by the stress estimator and its trainer: the features of a divided word and how the
// best stress is found from their weights. Both sides must agree bit for bit, so this is the one place that says it.
//
// A word is its letters folded to ASCII lower case, cut into syllables. Each syllable gets a label: 0 unstressed,
// 1 primary, 2 secondary stress; a word has exactly one primary stress, and a syllable without a vowel letter is
// unstressed (unless no syllable has one). A syllable's features, each seen with its place counted from the word's
// end and from its start:
//   the syllable's letters, its vowel letters and what follows them, its neighbours' letters;
//   the word's last k letters (k = 1 .. 7) and its first k letters (k = 1 .. 5): its endings and prefixes;
//   the letters after the syllable (up to 6), which say which ending it stands before ("-ic", "-tion");
//   the number of syllables.
// A feature is hashed to a pair of neighbouring slots of a table of 2^tableBits weights (one for label 1, one for
// label 2) and to a sign; label 0 scores 0. Label sequences score too (the labels of two neighbouring syllables
// with the place). The best stress is the labelling with the highest total score.
namespace StressModel {

struct Shape {
    int tableBits = 17;
};

constexpr int kMinTableBits = 8;
constexpr int kMaxTableBits = 24;
constexpr int kLevels = 3;         // labels 0, 1 and 2
constexpr int kMostSyllables = 64; // a longer word is left unstressed

// The word as the model sees it: its folded letters and where each syllable starts (starts.back() is the end).
struct Word {
    std::string letters;
    std::vector<int> starts;
    int syllables() const { return int(starts.size()) - 1; }
    std::string_view syllable(int i) const {
        return std::string_view(letters).substr(starts[i], starts[i + 1] - starts[i]);
    }
};

inline bool isVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'y';
}

namespace detail {
constexpr std::uint64_t kPrime = 1099511628211ull;
constexpr std::uint64_t kSeed = 0xCBF29CE484222325ull;

inline std::uint64_t step(std::uint64_t h, char c) {
    return (h ^ static_cast<unsigned char>(c)) * kPrime;
}
inline std::uint64_t text(std::uint64_t h, std::string_view letters) {
    for (const char c : letters)
        h = step(h, c);
    return h;
}
inline std::uint64_t mix(std::uint64_t h) {
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return h;
}
// A feature's kind and the syllable's place, mixed into its hash.
inline std::uint64_t tagged(std::uint64_t h, int kind, int place) {
    return mix(h + std::uint64_t(kind) * 0x9E3779B97F4A7C15ull + std::uint64_t(place) * 0x632BE59BD9B4E019ull);
}
inline int capped(int value, int most) {
    return std::min(value, most);
}
} // namespace detail

// A feature's slot for label 1 or 2: its index in the low bits, its sign in bit 31 (set: -1).
inline std::uint32_t slot(std::uint64_t feature, int label, std::uint32_t mask) {
    return ((static_cast<std::uint32_t>(feature) + std::uint32_t(label - 1)) & mask) |
           ((feature >> 63) ? 0x80000000u : 0u);
}
inline std::uint32_t slotIndex(std::uint32_t slot) {
    return slot & 0x7FFFFFFFu;
}
inline bool slotNegative(std::uint32_t slot) {
    return (slot & 0x80000000u) != 0;
}

// Calls visit(feature) for every feature of syllable i (labels apart; see slot()).
template <typename Visit> void forEachFeature(const Word& word, int i, Visit&& visit) {
    using namespace detail;
    const int n = word.syllables();
    const int fromEnd = capped(n - 1 - i, 4);
    const int fromStart = capped(i, 3);
    const int place = fromEnd * 8 + fromStart;
    const int count = capped(n, 6);
    const std::string_view own = word.syllable(i);
    // 1. The place alone, and with the number of syllables.
    visit(tagged(kSeed, 0, place));
    visit(tagged(kSeed, 1, place * 8 + count));
    // 2. The syllable's letters; its vowels and what follows them.
    const std::uint64_t ownHash = text(kSeed, own);
    visit(tagged(ownHash, 2, place));
    visit(tagged(ownHash, 3, fromEnd * 8 + count));
    const std::size_t vowel =
        std::min(own.size(), std::size_t(std::find_if(own.begin(), own.end(), isVowel) - own.begin()));
    visit(tagged(text(kSeed, own.substr(vowel)), 4, place));
    // 3. The neighbours' letters.
    const std::uint64_t before = i > 0 ? text(kSeed, word.syllable(i - 1)) : kSeed;
    const std::uint64_t after = i + 1 < n ? text(kSeed, word.syllable(i + 1)) : kSeed;
    visit(tagged(before, 5, place));
    visit(tagged(after, 6, place));
    visit(tagged(text(ownHash, "|") ^ after, 7, fromEnd));
    // 4. The word's endings and beginnings.
    const std::string_view letters = word.letters;
    std::uint64_t h = kSeed;
    for (int k = 1; k <= capped(int(letters.size()), 7); ++k) {
        h = step(h, letters[letters.size() - k]);
        visit(tagged(h, 8 + k, fromEnd * 8 + count));
    }
    h = kSeed;
    for (int k = 1; k <= capped(int(letters.size()), 5); ++k) {
        h = step(h, letters[k - 1]);
        visit(tagged(h, 16 + k, fromStart * 8 + count));
    }
    // 5. What follows the syllable.
    h = kSeed;
    const int end = word.starts[i + 1];
    for (int k = 1; k <= capped(int(letters.size()) - end, 6); ++k) {
        h = step(h, letters[end + k - 1]);
        visit(tagged(h, 22 + k, capped(n - 1 - i, 3)));
    }
}

// The slot of a label sequence: label s after label p (3 for the word's start), fromEnd syllables before the end.
inline std::uint32_t transitionSlot(int p, int s, int fromEnd, std::uint32_t mask) {
    const std::uint64_t h = detail::tagged(detail::kSeed, 30, (detail::capped(fromEnd, 3) * 4 + p) * 4 + s);
    return slot(h, 1, mask);
}

// Calls visit(slot) for every weight the labelling of the word scores: each stressed syllable's features and each
// label sequence.
template <typename Visit>
void forEachLabelledSlot(const Shape& shape, const Word& word, const std::vector<int>& labels, Visit&& visit) {
    const std::uint32_t mask = (1u << shape.tableBits) - 1;
    const int n = word.syllables();
    for (int i = 0; i < n; ++i) {
        if (labels[i] != 0)
            forEachFeature(word, i, [&](std::uint64_t feature) { visit(slot(feature, labels[i], mask)); });
        visit(transitionSlot(i == 0 ? kLevels : labels[i - 1], labels[i], n - 1 - i, mask));
    }
}

// A workspace for bestLabels, kept between calls so that a word allocates nothing.
struct Workspace {
    std::vector<int> labels;       // the result
    std::vector<int> gain;         // per syllable and label: what the label's features score
    std::vector<int> best;         // per syllable and state: the best score of a labelling up to there
    std::vector<signed char> from; // per syllable and state: the state before
};

namespace detail {
// A state of the search: the syllable's label and whether the primary stress has been given (at or before it).
constexpr int kStates = 2 * kLevels;
inline int stateOf(int label, bool given) {
    return label + (given ? kLevels : 0);
}
inline bool canFollow(int before, int state) {
    const bool givenBefore = before >= kLevels;
    const bool given = state >= kLevels;
    return state % kLevels == 1 ? !givenBefore && given : givenBefore == given;
}
inline bool hasVowel(std::string_view letters) {
    return std::any_of(letters.begin(), letters.end(), isVowel);
}
} // namespace detail

// The best labels of the word's syllables under these weights (weightOf(slot) gives a slot's signed weight), in
// work.labels. One syllable is stressed; a word of none, or of more than kMostSyllables, gets no labels.
template <typename WeightOf>
void bestLabels(const Shape& shape, const Word& word, WeightOf&& weightOf, Workspace& work) {
    using namespace detail;
    const int n = word.syllables();
    work.labels.assign(std::max(n, 0), 0);
    if (n <= 1 || n > kMostSyllables) {
        if (n == 1)
            work.labels[0] = 1;
        return;
    }
    // 1. What each label scores on each syllable; a syllable without a vowel stays unstressed if another has one.
    const std::uint32_t mask = (1u << shape.tableBits) - 1;
    bool anyVowel = false;
    for (int i = 0; i < n; ++i)
        anyVowel = anyVowel || hasVowel(word.syllable(i));
    constexpr int kNever = -(1 << 29);
    work.gain.assign(std::size_t(n) * kLevels, 0);
    for (int i = 0; i < n; ++i) {
        int* gain = &work.gain[std::size_t(i) * kLevels];
        if (anyVowel && !hasVowel(word.syllable(i))) {
            gain[1] = gain[2] = kNever;
            continue;
        }
        forEachFeature(word, i, [&](std::uint64_t feature) {
            gain[1] += weightOf(slot(feature, 1, mask));
            gain[2] += weightOf(slot(feature, 2, mask));
        });
    }
    // 2. The best labelling up to each syllable in each state.
    work.best.assign(std::size_t(n) * kStates, kNever);
    work.from.assign(std::size_t(n) * kStates, -1);
    for (int i = 0; i < n; ++i) {
        for (int state = 0; state < kStates; ++state) {
            const int label = state % kLevels;
            const int gain = work.gain[std::size_t(i) * kLevels + label];
            if (gain == kNever)
                continue;
            if (i == 0) {
                if (canFollow(0, state))
                    work.best[state] = gain + weightOf(transitionSlot(kLevels, label, n - 1, mask));
                continue;
            }
            for (int before = 0; before < kStates; ++before) {
                const int previous = work.best[std::size_t(i - 1) * kStates + before];
                if (previous == kNever || !canFollow(before, state))
                    continue;
                const int score = previous + weightOf(transitionSlot(before % kLevels, label, n - 1 - i, mask)) + gain;
                int& best = work.best[std::size_t(i) * kStates + state];
                if (score > best) {
                    best = score;
                    work.from[std::size_t(i) * kStates + state] = static_cast<signed char>(before);
                }
            }
        }
    }
    // 3. Back from the best state that has given the primary stress.
    int state = kLevels;
    for (int s = kLevels; s < kStates; ++s)
        if (work.best[std::size_t(n - 1) * kStates + s] > work.best[std::size_t(n - 1) * kStates + state])
            state = s;
    for (int i = n - 1; i >= 0; --i) {
        work.labels[i] = state % kLevels;
        state = work.from[std::size_t(i) * kStates + state];
    }
}

} // namespace StressModel
