// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/WordLimit.h"

namespace WordLimit {

QString shown(QStringView text, qsizetype most) {
    if (text.size() <= most)
        return text.toString();
    qsizetype kept = std::max<qsizetype>(most, 1);
    if (text[kept - 1].isHighSurrogate())
        --kept;
    return text.first(kept).toString() + kEllipsis;
}

} // namespace WordLimit
