// SPDX-License-Identifier: GPL-3.0-or-later
#include "SyllablePerceptron.h"

#include <algorithm>
#include <cmath>

namespace {

std::vector<int> boundariesOf(const std::string& division) {
    std::vector<int> boundaries;
    int letter = 0;
    for (const char c : division) {
        if (c == '*')
            boundaries.push_back(letter);
        else
            ++letter;
    }
    return boundaries;
}

// A fixed 64-bit linear congruential generator, so that the order does not depend on the standard library.
class Shuffler {
public:
    explicit Shuffler(int order) : m_state(12345 + std::uint64_t(order) * 0x9E3779B97F4A7C15ull) {}
    std::size_t below(std::size_t bound) {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return std::size_t((m_state >> 33) % bound);
    }

private:
    std::uint64_t m_state;
};

} // namespace

SyllablePerceptron::SyllablePerceptron(const Options& options)
    : m_options(options), m_weights(std::size_t(1) << options.shape.tableBits, 0),
      m_weightedSteps(std::size_t(1) << options.shape.tableBits, 0) {}

int SyllablePerceptron::weight(std::uint32_t slot) const {
    const int w = m_weights[SyllableModel::slotIndex(slot)];
    return SyllableModel::slotNegative(slot) ? -w : w;
}

void SyllablePerceptron::bump(std::uint32_t slot, int direction) {
    const int change = SyllableModel::slotNegative(slot) ? -direction : direction;
    m_weights[SyllableModel::slotIndex(slot)] += change;
    m_weightedSteps[SyllableModel::slotIndex(slot)] += std::int64_t(change) * m_step;
}

void SyllablePerceptron::update(const std::string& letters, const std::vector<int>& boundaries,
                                const std::vector<int>& labels, int direction) {
    SyllableModel::forEachDivisionFeature(m_options.shape, letters, boundaries, labels,
                                          [&](std::uint32_t slot) { bump(slot, direction); });
}

void SyllablePerceptron::train(const std::vector<const SyllableTrainingSet::Word*>& words,
                               const std::function<void(int, double)>& progress, const StressOf& stressOf) {
    // 1. One example per division.
    const bool stressed = m_options.shape.stressLevels > 1;
    std::vector<Example> examples;
    for (const SyllableTrainingSet::Word* word : words)
        for (const std::string& division : word->divisions) {
            Example example{&word->letters, boundariesOf(division), {}};
            if (stressed && stressOf)
                example.labels = stressOf(word->letters, example.boundaries);
            examples.push_back(std::move(example));
        }
    if (examples.empty())
        return;
    Shuffler shuffler(m_options.order);
    SyllableModel::Workspace<int> work;
    const auto weightOf = [this](std::uint32_t slot) { return weight(slot); };
    for (int epoch = 0; epoch < m_options.epochs; ++epoch) {
        // 2. A new order for each epoch.
        for (std::size_t i = examples.size() - 1; i > 0; --i)
            std::swap(examples[i], examples[shuffler.below(i + 1)]);
        // 3. Guess with the margin, learn from the mistakes.
        int wrong = 0;
        for (const Example& example : examples) {
            const std::string& letters = *example.letters;
            std::vector<int> margin(letters.size(), m_options.margin);
            for (const int g : example.boundaries)
                margin[g] = -m_options.margin;
            // Without known stress, the labels that fit the dictionary's division best.
            std::vector<int> labels = example.labels;
            if (stressed && labels.empty()) {
                std::vector<int> force;
                SyllableModel::forceBoundaries(letters.size(), example.boundaries, force);
                SyllableModel::bestDivision<int>(m_options.shape, letters, weightOf, work, force);
                labels = work.labels;
            }
            const std::vector<int> guess =
                SyllableModel::bestDivision<int>(m_options.shape, letters, weightOf, work, margin);
            const bool labelsWrong = stressed && !example.labels.empty() && work.labels != example.labels;
            if (guess != example.boundaries || labelsWrong) {
                ++wrong;
                update(letters, example.boundaries, labels, +1);
                update(letters, guess, work.labels, -1);
            }
            ++m_step;
        }
        if (progress)
            progress(epoch + 1, double(wrong) / double(examples.size()));
    }
}

std::vector<double> SyllablePerceptron::averagedWeights() const {
    // The averaged weight is w - (sum of change × step) / steps.
    const double steps = double(m_step);
    std::vector<double> averaged(m_weights.size());
    for (std::size_t i = 0; i < m_weights.size(); ++i)
        averaged[i] = double(m_weights[i]) - double(m_weightedSteps[i]) / steps;
    return averaged;
}

std::vector<std::int8_t> SyllablePerceptron::quantise(const std::vector<double>& weights) {
    // Scaled so that the largest becomes ±127.
    double largest = 0;
    for (const double w : weights)
        largest = std::max(largest, std::abs(w));
    std::vector<std::int8_t> quantised(weights.size(), 0);
    if (largest == 0)
        return quantised;
    for (std::size_t i = 0; i < weights.size(); ++i)
        quantised[i] = std::int8_t(std::clamp<long>(std::lround(weights[i] * 127.0 / largest), -127, 127));
    return quantised;
}
