// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AveragedWeights.h"
#include "lexicon/StressModel.h"

#include <functional>
#include <vector>

// Learns the stress model's weights from words with known stress: a structured averaged perceptron. Each epoch
// goes through the words in a fixed pseudo-random order; where the best labels under the current weights differ
// from the dictionary's, the weights of the dictionary's labelling gain one and those of the guess lose one. The
// result is the average of the weights over all steps. Integer arithmetic throughout: the same words give the
// same weights on every machine.
class StressPerceptron {
public:
    struct Options {
        StressModel::Shape shape;
        int epochs = 10;
    };
    struct Example {
        StressModel::Word word;
        std::vector<int> labels; // 0, 1 or 2 a syllable, one 1
    };

    explicit StressPerceptron(const Options& options);
    // progress(epoch, share of words guessed wrong) after each epoch.
    void train(std::vector<Example> examples, const std::function<void(int, double)>& progress = {});
    std::vector<double> averagedWeights() const { return m_weights.averaged(); }

private:
    void update(const Example& example, const std::vector<int>& labels, int direction);

    Options m_options;
    AveragedWeights m_weights;
};
