// SPDX-License-Identifier: GPL-3.0-or-later
#include "SyllablePerceptron.h"

#include <algorithm>

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

} // namespace

SyllablePerceptron::SyllablePerceptron(const Options& options)
    : m_options(options), m_weights(std::size_t(1) << options.shape.tableBits) {}

void SyllablePerceptron::update(const std::string& letters, const std::vector<int>& boundaries,
                                const std::vector<int>& labels, int direction) {
    SyllableModel::forEachDivisionFeature(m_options.shape, letters, boundaries, labels,
                                          [&](std::uint32_t slot) { m_weights.bump(slot, direction); });
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
    const auto weightOf = [this](std::uint32_t slot) { return m_weights.weight(slot); };
    for (int epoch = 0; epoch < m_options.epochs; ++epoch) {
        // 2. A new order for each epoch.
        shuffler.shuffle(examples);
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
            m_weights.nextStep();
        }
        if (progress)
            progress(epoch + 1, double(wrong) / double(examples.size()));
    }
}

std::vector<double> SyllablePerceptron::averagedWeights() const {
    return m_weights.averaged();
}
