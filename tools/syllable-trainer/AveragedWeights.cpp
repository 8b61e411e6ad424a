// SPDX-License-Identifier: GPL-3.0-or-later
#include "AveragedWeights.h"

#include <algorithm>
#include <cmath>

std::vector<double> AveragedWeights::averaged() const {
    // The averaged weight is w - (sum of change × step) / steps.
    const double steps = double(m_step);
    std::vector<double> result(m_weights.size());
    for (std::size_t i = 0; i < m_weights.size(); ++i)
        result[i] = double(m_weights[i]) - double(m_weightedSteps[i]) / steps;
    return result;
}

std::vector<std::int8_t> AveragedWeights::quantise(const std::vector<double>& weights) {
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
