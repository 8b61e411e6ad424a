// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/StressEstimator.h"

#include "lexicon/Division.h"
#include "lexicon/ModelFile.h"
#include "lexicon/StressMarks.h"
#include "lexicon/SyllableModel.h"

namespace {

constexpr char kMagic[8] = {'P', 'V', 'S', 'T', 'R', 'E', 'S', 'S'};
constexpr qsizetype kHeaderSize = 15;
constexpr qsizetype kHashSize = 8;
const QString kWhat = QStringLiteral("stress estimator");

// The folded letters of a piece of a division appended to the word's letters.
void appendFolded(QStringView piece, std::string& letters) {
    for (const QChar c : piece) {
        const char16_t u = c.unicode();
        if (u < 128) {
            if ((u | 0x20) >= u'a' && (u | 0x20) <= u'z')
                letters += char(u | 0x20);
        } else if (c.isLetter()) {
            const QString folded = SyllableModel::foldLetter(c);
            letters += folded.isEmpty() ? std::string(1, SyllableModel::kOtherLetter) : folded.toStdString();
        }
    }
}

StressModel::Workspace& workspace() {
    thread_local StressModel::Workspace work;
    return work;
}

} // namespace

bool StressEstimator::load(const QString& path, QString* error) {
    m_weights.clear();
    m_loaded = ModelFile::load(
        path, kWhat, [this](const QByteArray& bytes, QString* problem) { return parse(bytes, problem); }, error);
    return m_loaded; // the weights are only taken from a file found sound
}

bool StressEstimator::parse(const QByteArray& bytes, QString* problem) {
    if (!ModelFile::startsRight(bytes, kMagic, kHeaderSize, kFormatVersion, kWhat, problem))
        return false;
    const char* at = bytes.constData();
    StressModel::Shape shape;
    shape.tableBits = static_cast<unsigned char>(at[10]);
    if (shape.tableBits < StressModel::kMinTableBits || shape.tableBits > StressModel::kMaxTableBits) {
        *problem = QStringLiteral("its model shape is out of range");
        return false;
    }
    const auto count = ModelFile::readLittle<std::uint32_t>(at + 11);
    if (count != (1u << shape.tableBits) || bytes.size() != kHeaderSize + qsizetype(count) + kHashSize) {
        *problem = QStringLiteral("it is truncated or has extra bytes");
        return false;
    }
    if (!ModelFile::checksumMatches(bytes)) {
        *problem = QStringLiteral("its check sum does not match (the file is damaged)");
        return false;
    }
    m_shape = shape;
    m_weights.assign(reinterpret_cast<const std::int8_t*>(at + kHeaderSize),
                     reinterpret_cast<const std::int8_t*>(at + kHeaderSize + count));
    return true;
}

QByteArray StressEstimator::serialize(const StressModel::Shape& shape, const std::vector<std::int8_t>& weights) {
    QByteArray out(kMagic, sizeof kMagic);
    ModelFile::appendLittle<std::uint16_t>(out, kFormatVersion);
    out.append(char(shape.tableBits));
    ModelFile::appendLittle<std::uint32_t>(out, std::uint32_t(weights.size()));
    out.append(reinterpret_cast<const char*>(weights.data()), qsizetype(weights.size()));
    ModelFile::appendChecksum(out);
    return out;
}

StressModel::Word StressEstimator::modelWord(std::string_view division) {
    StressModel::Word word;
    word.starts.push_back(0);
    for (const char c : division) {
        if (c == '*')
            word.starts.push_back(int(word.letters.size()));
        else
            word.letters += c;
    }
    word.starts.push_back(int(word.letters.size()));
    return word;
}

QString StressEstimator::stress(QStringView division) const {
    if (!m_loaded || Division::markedSyllables(division) == 0)
        return {};
    QString out;
    out.reserve(division.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= division.size(); ++i) {
        if (i < division.size() && StressMarks::boundaryAt(division, i) != StressMarks::Boundary::Word)
            continue;
        stressWord(division.mid(start, i - start), out);
        start = i + 1;
    }
    return out;
}

// One word of a division (no blanks or hyphens between letters in it): a character a syllable appended to out.
void StressEstimator::stressWord(QStringView division, QString& out) const {
    // 1. The word as the model sees it.
    thread_local StressModel::Word word;
    word.letters.clear();
    word.starts.assign(1, 0);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= division.size(); ++i) {
        if (i < division.size() && division[i] != Division::kMark)
            continue;
        appendFolded(division.mid(start, i - start), word.letters);
        word.starts.push_back(int(word.letters.size()));
        start = i + 1;
    }
    // 2. Its labels; a word without letters has no stress.
    StressModel::Workspace& work = workspace();
    if (word.letters.empty()) {
        work.labels.assign(word.syllables(), 0);
    } else {
        StressModel::bestLabels(
            m_shape, word,
            [this](std::uint32_t slot) {
                const int w = m_weights[StressModel::slotIndex(slot)];
                return StressModel::slotNegative(slot) ? -w : w;
            },
            work);
    }
    for (const int label : work.labels)
        out += QChar(u'0' + label);
}
