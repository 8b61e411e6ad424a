// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/SyllableEstimator.h"

#include "lexicon/ModelFile.h"

#include <algorithm>
#include <string>

namespace {

constexpr char kMagic[8] = {'P', 'V', 'S', 'Y', 'L', 'E', 'S', 'T'};
constexpr qsizetype kHeaderSize = 22;
constexpr qsizetype kHashSize = 8;
const QString kWhat = QStringLiteral("syllable estimator");

using ModelFile::appendLittle;
using ModelFile::readLittle;

bool isPieceSeparator(QChar c) {
    return c == u' ' || c == u'-';
}

// The folded letters of a piece, and for each the position in the piece of the letter it comes from.
void foldPiece(QStringView piece, std::string& letters, std::vector<qsizetype>& source) {
    letters.clear();
    source.clear();
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const char16_t c = piece[i].unicode();
        if (c < 128) {
            if ((c | 0x20) >= u'a' && (c | 0x20) <= u'z') {
                letters += char(c | 0x20);
                source.push_back(i);
            }
            continue;
        }
        if (!piece[i].isLetter())
            continue;
        QString folded = SyllableModel::foldLetter(piece[i]);
        if (folded.isEmpty())
            folded = QChar(QLatin1Char(SyllableModel::kOtherLetter));
        for (const QChar f : folded) {
            letters += char(f.unicode());
            source.push_back(i);
        }
    }
}

SyllableModel::Workspace<int>& workspace() {
    thread_local SyllableModel::Workspace<int> work;
    return work;
}

} // namespace

bool SyllableEstimator::load(const QString& path, QString* error) {
    m_weights.clear();
    m_loaded = ModelFile::load(
        path, kWhat, [this](const QByteArray& bytes, QString* problem) { return parse(bytes, problem); }, error);
    return m_loaded; // the weights are only taken from a file found sound
}

bool SyllableEstimator::parse(const QByteArray& bytes, QString* problem) {
    using namespace SyllableModel;
    // 1. Magic, version, shape.
    if (!ModelFile::startsRight(bytes, kMagic, kHeaderSize, kFormatVersion, kWhat, problem))
        return false;
    const char* at = bytes.constData();
    Shape shape;
    shape.tableBits = static_cast<unsigned char>(at[10]);
    shape.maxLeft = static_cast<unsigned char>(at[11]);
    shape.maxRight = static_cast<unsigned char>(at[12]);
    shape.maxGram = static_cast<unsigned char>(at[13]);
    shape.maxSyllable = static_cast<unsigned char>(at[14]);
    shape.maxSuffix = static_cast<unsigned char>(at[15]);
    shape.maxPrefix = static_cast<unsigned char>(at[16]);
    shape.stressLevels = static_cast<unsigned char>(at[17]);
    if (shape.tableBits < kMinTableBits || shape.tableBits > kMaxTableBits || shape.maxLeft < 1 ||
        shape.maxLeft > kMaxContext || shape.maxRight < 1 || shape.maxRight > kMaxContext || shape.maxGram < 1 ||
        shape.maxGram > kMaxGram || shape.maxSyllable < 1 || shape.maxSyllable > kMaxSyllable ||
        shape.maxSuffix > kMaxAffix || shape.maxPrefix > kMaxAffix || shape.stressLevels < 1 ||
        shape.stressLevels > kMaxStressLevels) {
        *problem = QStringLiteral("its model shape is out of range");
        return false;
    }
    // 2. Size and hash.
    const auto count = readLittle<std::uint32_t>(at + 18);
    if (count != (1u << shape.tableBits) || bytes.size() != kHeaderSize + qsizetype(count) + kHashSize) {
        *problem = QStringLiteral("it is truncated or has extra bytes");
        return false;
    }
    const qsizetype hashAt = kHeaderSize + qsizetype(count);
    if (!ModelFile::checksumMatches(bytes)) {
        *problem = QStringLiteral("its check sum does not match (the file is damaged)");
        return false;
    }
    // 3. The weights.
    m_shape = shape;
    m_weights.assign(reinterpret_cast<const std::int8_t*>(at + kHeaderSize),
                     reinterpret_cast<const std::int8_t*>(at + hashAt));
    return true;
}

QByteArray SyllableEstimator::serialize(const SyllableModel::Shape& shape, const std::vector<std::int8_t>& weights) {
    QByteArray out(kMagic, sizeof kMagic);
    appendLittle<std::uint16_t>(out, kFormatVersion);
    for (const int value : {shape.tableBits, shape.maxLeft, shape.maxRight, shape.maxGram, shape.maxSyllable,
                            shape.maxSuffix, shape.maxPrefix, shape.stressLevels})
        out.append(char(value));
    appendLittle<std::uint32_t>(out, std::uint32_t(weights.size()));
    out.append(reinterpret_cast<const char*>(weights.data()), qsizetype(weights.size()));
    ModelFile::appendChecksum(out);
    return out;
}

bool SyllableEstimator::isLoaded() const {
    return m_loaded;
}

QString SyllableEstimator::divide(QStringView word) const {
    if (!m_loaded)
        return word.toString();
    QString out;
    out.reserve(word.size() * 2);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= word.size(); ++i) {
        if (i < word.size() && !isPieceSeparator(word[i]))
            continue;
        dividePiece(word.mid(start, i - start), out);
        if (i < word.size())
            out += word[i];
        start = i + 1;
    }
    return out;
}

void SyllableEstimator::dividePiece(QStringView piece, QString& out) const {
    // 1. The folded letters, and for each the position in the piece of the letter it comes from.
    thread_local std::string letters;
    thread_local std::vector<qsizetype> source;
    SyllableModel::Workspace<int>& work = workspace();
    foldPiece(piece, letters, source);

    // 2. The model's boundaries, as positions in the piece (a boundary inside one folded letter is dropped).
    const std::vector<int>& gaps = SyllableModel::bestDivision<int>(m_shape, letters, weightOf(), work);

    // 3. The piece with "*" before the first letter of each new syllable.
    qsizetype copied = 0;
    for (const int g : gaps) {
        const qsizetype at = source[g];
        if (at == source[g - 1])
            continue;
        out += piece.mid(copied, at - copied);
        out += QLatin1Char('*');
        copied = at;
    }
    out += piece.mid(copied);
}

int SyllableEstimator::doubt(QStringView division) const {
    if (!m_loaded)
        return 0;
    int total = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= division.size(); ++i) {
        if (i < division.size() && !isPieceSeparator(division[i]))
            continue;
        const int piece = pieceDoubt(division.mid(start, i - start));
        if (piece == kRuledOut)
            return kRuledOut;
        total += piece;
        start = i + 1;
    }
    return total;
}

int SyllableEstimator::pieceDoubt(QStringView division) const {
    // 1. The piece without its marks, and where each syllable starts in it.
    QString piece;
    thread_local std::vector<qsizetype> starts;
    starts.clear();
    for (const QChar c : division) {
        if (c == QLatin1Char('*'))
            starts.push_back(piece.size());
        else
            piece += c;
    }
    // 2. Those starts as gaps between the folded letters.
    thread_local std::string letters;
    thread_local std::vector<qsizetype> source;
    thread_local std::vector<int> wanted;
    foldPiece(piece, letters, source);
    wanted.clear();
    for (const qsizetype at : starts) {
        const int gap = int(std::lower_bound(source.begin(), source.end(), at) - source.begin());
        if (gap > 0 && gap < int(letters.size()) && (wanted.empty() || wanted.back() != gap))
            wanted.push_back(gap);
    }
    // 3. The model's best score, and its best score with the gaps forced to those boundaries.
    SyllableModel::Workspace<int>& work = workspace();
    if (SyllableModel::bestDivision<int>(m_shape, letters, weightOf(), work) == wanted)
        return 0; // the model's own
    const int free = work.score;
    thread_local std::vector<int> force;
    SyllableModel::forceBoundaries(letters.size(), wanted, force);
    if (SyllableModel::bestDivision<int>(m_shape, letters, weightOf(), work, force) != wanted)
        return kRuledOut; // a division the model does not allow (a syllable without a vowel, ...)
    return free - (work.score - SyllableModel::kForce * int(wanted.size()));
}
