// SPDX-License-Identifier: GPL-3.0-or-later
#include "StressPerceptron.h"

StressPerceptron::StressPerceptron(const Options& options)
    : m_options(options), m_weights(std::size_t(1) << options.shape.tableBits) {}

void StressPerceptron::update(const Example& example, const std::vector<int>& labels, int direction) {
    StressModel::forEachLabelledSlot(m_options.shape, example.word, labels,
                                     [&](std::uint32_t slot) { m_weights.bump(slot, direction); });
}

void StressPerceptron::train(std::vector<Example> examples, const std::function<void(int, double)>& progress) {
    if (examples.empty())
        return;
    Shuffler shuffler(0);
    StressModel::Workspace work;
    const auto weightOf = [this](std::uint32_t slot) { return m_weights.weight(slot); };
    for (int epoch = 0; epoch < m_options.epochs; ++epoch) {
        shuffler.shuffle(examples);
        int wrong = 0;
        for (const Example& example : examples) {
            StressModel::bestLabels(m_options.shape, example.word, weightOf, work);
            if (work.labels != example.labels) {
                ++wrong;
                update(example, example.labels, +1);
                update(example, work.labels, -1);
            }
            m_weights.nextStep();
        }
        if (progress)
            progress(epoch + 1, double(wrong) / double(examples.size()));
    }
}
