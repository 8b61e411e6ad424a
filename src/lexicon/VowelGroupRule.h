// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The rule of thumb the estimator is measured against: one syllable per group of vowel letters (y counts as a
// vowel except before a vowel at the start), a final e after a consonant silent unless it makes "-le" after
// another consonant; between two groups a single consonant starts the next syllable, of two or more the first
// stays behind ("ba*by", "hun*dred"),
// except before a heard "le" ("ta*ble").
namespace VowelGroupRule {

// The folded lower-case letters with "*" at each boundary the rule gives.
std::string divide(std::string_view letters);

} // namespace VowelGroupRule
