// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// The weights of an averaged perceptron, addressed by the models' slots (the index in the low bits, bit 31 set for
// a feature that counts negatively). Each change is remembered with the step it was made at, so that the average
// of the weights over all steps comes out at the end without summing them at every step. Integer arithmetic: the
// same changes give the same weights on every machine.
class AveragedWeights {
public:
    explicit AveragedWeights(std::size_t size) : m_weights(size, 0), m_weightedSteps(size, 0) {}

    int weight(std::uint32_t slot) const {
        const int w = m_weights[slot & 0x7FFFFFFFu];
        return negative(slot) ? -w : w;
    }
    void bump(std::uint32_t slot, int direction) {
        const int change = negative(slot) ? -direction : direction;
        m_weights[slot & 0x7FFFFFFFu] += change;
        m_weightedSteps[slot & 0x7FFFFFFFu] += std::int64_t(change) * m_step;
    }
    // One example seen.
    void nextStep() { ++m_step; }
    std::vector<double> averaged() const;
    // Weights scaled to whole numbers from -127 to 127 (the largest to ±127).
    static std::vector<std::int8_t> quantise(const std::vector<double>& weights);

private:
    static bool negative(std::uint32_t slot) { return (slot & 0x80000000u) != 0; }

    std::vector<std::int32_t> m_weights;
    std::vector<std::int64_t> m_weightedSteps; // sum of each change times the step it was made at
    std::int64_t m_step = 1;
};

// A fixed 64-bit linear congruential generator, so that the order of the examples does not depend on the standard
// library.
class Shuffler {
public:
    explicit Shuffler(int order) : m_state(12345 + std::uint64_t(order) * 0x9E3779B97F4A7C15ull) {}
    std::size_t below(std::size_t bound) {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return std::size_t((m_state >> 33) % bound);
    }
    // A new order of the items.
    template <typename T> void shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size() - 1; i > 0; --i)
            std::swap(items[i], items[below(i + 1)]);
    }

private:
    std::uint64_t m_state;
};
