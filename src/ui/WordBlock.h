// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

// Where one text lies in a pool of texts: its first character and its length.
struct TextSpan {
    qsizetype offset = 0;
    qsizetype length = 0;
};

// Many words held compactly: their characters back to back in one pool, and each word's span in it, in order.
// A million words cost one string and one vector instead of a million strings.
struct WordBlock {
    WordBlock() = default; // not an aggregate, so that a braced list of texts is never taken for a block

    QString pool;
    std::vector<TextSpan> spans;

    qsizetype size() const { return static_cast<qsizetype>(spans.size()); }
    QString word(qsizetype i) const {
        const TextSpan& span = spans[static_cast<size_t>(i)];
        return pool.mid(span.offset, span.length);
    }
    // The characters that the spans cover together, or -1 when a span does not lie inside the pool.
    qsizetype coveredCharacters() const {
        qsizetype covered = 0;
        for (const TextSpan& span : spans) {
            if (span.offset < 0 || span.length < 0 || span.length > pool.size() - span.offset)
                return -1;
            covered += span.length;
        }
        return covered;
    }
};
