// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AveragedWeights.h"
#include "lexicon/SyllableModel.h"
#include "lexicon/SyllableTrainingSet.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Learns the syllable model's weights from divided words: a structured averaged perceptron. Each epoch goes
// through the divisions in a fixed pseudo-random order; where the best division under the current weights
// (found with a margin that favours every wrong gap) differs from the dictionary's, the features of the
// dictionary's division gain one and those of the guess lose one. A model with stress labels learns them with
// the division: from stress marks given beside the divisions where known (a guess with other labels is then
// wrong too), else from the labels that fit the dictionary's division best under the current weights. The
// result is the average of the weights over all steps, scaled to whole numbers from -127 to 127. Integer
// arithmetic throughout: the same words give the same weights on every machine.
class SyllablePerceptron {
public:
    struct Options {
        SyllableModel::Shape shape;
        int epochs = 10;
        int margin = 4;
        int order = 0; // which of the fixed pseudo-random orders the words are gone through in
    };

    explicit SyllablePerceptron(const Options& options);
    // Trains on every division of the words; progress(epoch, share of divisions guessed wrong) after each epoch.
    // stressOf(letters, boundaries) gives the syllables' stress labels of that division when known (else empty:
    // the labels that fit the division best under the current weights are taken).
    using StressOf = std::function<std::vector<int>(const std::string&, const std::vector<int>&)>;
    void train(const std::vector<const SyllableTrainingSet::Word*>& words,
               const std::function<void(int, double)>& progress = {}, const StressOf& stressOf = {});
    std::vector<double> averagedWeights() const;

private:
    struct Example {
        const std::string* letters;
        std::vector<int> boundaries;
        std::vector<int> labels;
    };

    void update(const std::string& letters, const std::vector<int>& boundaries, const std::vector<int>& labels,
                int direction);

    Options m_options;
    AveragedWeights m_weights;
};
