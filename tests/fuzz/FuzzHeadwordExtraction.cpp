// SPDX-License-Identifier: GPL-3.0-or-later
// A dictionary answer and the word asked for (the input's first line is the word, the rest the answer): the
// extraction tells found, not found or malformed, and a found headword's count matches its split text.

#include "FuzzCheck.h"

#include "common/TextCodec.h"
#include "lookup/HeadwordExtraction.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes = fuzzBytes(data, size);
    const qsizetype lineEnd = bytes.indexOf('\n');
    const QString word = TextCodec::fromUtf8OrWindows1252(lineEnd < 0 ? bytes : bytes.first(lineEnd));
    const QString answer = TextCodec::decodeText(lineEnd < 0 ? QByteArrayView() : bytes.sliced(lineEnd + 1));
    const HeadwordExtraction::Result result = HeadwordExtraction::extract(answer, word);
    const bool found = HeadwordExtraction::isFound(answer, word);
    if (result.found) {
        fuzzCheck(found, "a found headword comes from an answer that holds the word's entry");
        fuzzCheck(result.failedStep == 0 && result.failure.isEmpty(), "a found headword is no failure");
        fuzzCheck(result.syllables == HeadwordExtraction::countSyllables(result.splitText),
                  "the syllables are the pieces of the split text");
        fuzzCheck(!result.splitText.contains(QLatin1Char('*')) && !result.splitText.contains(QLatin1Char(' ')),
                  "every boundary and blank of the headword is a middle dot");
    } else {
        fuzzCheck(result.splitText.isEmpty() && result.syllables == 0, "nothing split when not found");
        fuzzCheck((result.failedStep != 0) == found, "a failure exactly when the entry is there but malformed");
        fuzzCheck((result.failedStep != 0) == !result.failure.isEmpty(), "a failure says what went wrong");
    }
    return 0;
}
