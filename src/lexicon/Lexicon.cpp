// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/Lexicon.h"

#include "lexicon/Division.h"
#include "lexicon/StressMarks.h"
#include "lexicon/WordKey.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <tuple>

namespace {

// The division's last syllable is consonants and an e: "Sa*ke", "Ma*te", "Vi*ce"; not the syllabic l or r of
// "Gam*ble", "A*cre", which is a syllable of its own.
bool soundsFinalE(QStringView division) {
    const QStringView last = division.mid(division.lastIndexOf(Division::kMark) + 1);
    if (last.size() < 2 || last.back().toLower() != u'e')
        return false;
    const QChar before = last[last.size() - 2].toLower();
    return before != u'l' && before != u'r' && !Division::hasVowel(last.chopped(1));
}

std::size_t hashOf(QStringView key) {
    return qHash(key, 0x9e3779b9U);
}

QString lineError(const QString& origin, int lineNumber, const QString& what) {
    return QStringLiteral("Line %1 of %2 %3.").arg(lineNumber).arg(origin, what);
}

} // namespace

bool Lexicon::load(const QStringList& files, QString* error) {
    for (const QString& path : files) {
        QFile file(path);
        if (QFileInfo(path).isDir()) {
            if (error)
                *error = QStringLiteral("The dictionary data %1 is a folder, not a file.").arg(path);
            return false;
        }
        if (!file.open(QIODevice::ReadOnly)) {
            if (error)
                *error = QStringLiteral("The dictionary data %1 could not be read: %2").arg(path, file.errorString());
            return false;
        }
        const QString text = QString::fromUtf8(file.readAll());
        if (file.error() != QFileDevice::NoError) {
            if (error)
                *error = QStringLiteral("The dictionary data %1 could not be read: %2").arg(path, file.errorString());
            return false;
        }
        if (!loadText(text, path, error))
            return false;
    }
    return true;
}

bool Lexicon::loadText(QStringView text, const QString& origin, QString* error) {
    const int file = m_files++;
    // GCIDE's converted headwords name their source in the header: an undivided one of several vowel groups is one
    // the dictionary does not divide there. Every other file means what it writes.
    const QStringView header = text.left(1024);
    m_dictionaryFiles.push_back(header.startsWith(QLatin1String("# Source: GCIDE")) ||
                                header.contains(QLatin1String("\n# Source: GCIDE")));
    m_replaced.clear();
    const bool read = readLines(text, file, origin, error);
    m_replaced.clear();
    return read;
}

bool Lexicon::readLines(QStringView text, int file, const QString& origin, QString* error) {
    int lineNumber = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        ++lineNumber;
        const QStringView line = text.mid(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (!readLine(line, file, error, origin, lineNumber))
            return false;
    }
    return true;
}

bool Lexicon::readLine(QStringView line, int file, QString* error, const QString& origin, int lineNumber) {
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    const QStringView word = bar < 0 ? QStringView() : line.left(bar).trimmed();
    if (word.isEmpty() || bar + 1 >= line.size()) {
        if (error)
            *error = lineError(origin, lineNumber, QStringLiteral("is not of the form word|division"));
        return false;
    }
    const std::size_t entry = &entryFor(WordKey::fold(word), file) - m_entries.data();
    QStringView rest = line.mid(bar + 1);
    if (rest.startsWith(QLatin1Char('='))) {
        const QString stem = WordKey::fold(rest.mid(1).trimmed());
        if (stem.isEmpty()) {
            if (error)
                *error = lineError(origin, lineNumber, QStringLiteral("names no entry after \"=\""));
            return false;
        }
        if (isPlainSpelling(word))
            notePlainSpelling(m_entries[entry]); // "Rallies|=Rally" beside "Ralliés"
        addStem(entry, stem);
        return true;
    }
    for (const QStringView field : rest.tokenize(QLatin1Char('|'))) {
        if (const QString problem = readHomograph(entry, field); !problem.isEmpty()) {
            if (error)
                *error = lineError(origin, lineNumber, problem);
            return false;
        }
    }
    return true;
}

// One "division[:label]" field; what is wrong with it, or nothing.
QString Lexicon::readHomograph(std::size_t entry, QStringView field) {
    const qsizetype colon = field.indexOf(QLatin1Char(':'));
    const QStringView division = (colon < 0 ? field : field.left(colon)).trimmed();
    const QStringView label = colon < 0 ? QStringView() : field.mid(colon + 1).trimmed();
    if (division.isEmpty())
        return QStringLiteral("has an empty division");
    if (!StressMarks::has(division)) {
        addRecord(entry, division, label, {});
        return {};
    }
    thread_local StressMarks::Buffer divided;
    thread_local StressMarks::Buffer stress;
    StressMarks::Read read;
    if (!StressMarks::read(division, divided, stress, &read))
        return QStringLiteral("has a stress mark that follows no syllable");
    addRecord(entry, read.division, label, read.stress);
    return {};
}

// A homograph joins its entry's list. The entry's usable division is its first marked homograph, or its first when
// the key is of one vowel group and no later one is marked. A division that sounds the e a one-group key leaves
// silent (Sa*ke, the rice wine; A*te, the goddess; Ma*te, the tea) gives way to an undivided homograph, before or
// after it: that one is the English word. Divisions are never empty, so an empty span means none. Where the key has a
// plain spelling, only plain spellings count: "cure" is Cure (not divided: estimated), never the accented Cu*ré, which
// is another word.
void Lexicon::addRecord(std::size_t entry, QStringView division, QStringView label, QStringView stress) {
    const Span d = keep(division);
    const Span l = keep(label);
    const Span s = stress.isEmpty() ? earlierStress(entry, division) : keep(stress);
    Entry& e = m_entries[entry];
    if (link(m_records, Record{d, l, s, 0}, e.records, e.lastRecord))
        ++m_headwords;
    const bool plain = isPlainSpelling(division);
    if (plain)
        notePlainSpelling(e);
    else if (e.plainSeen)
        return;
    const bool marked = division.contains(Division::kMark);
    const bool takeIt =
        marked ? e.usable.length == 0 || (!view(e.usable).contains(Division::kMark) && !soundsFinalE(division))
               : (e.usable.length == 0 || soundsFinalE(view(e.usable))) && undividedIsWhole(e);
    if (takeIt) {
        if (d.offset != e.key.offset + e.key.length) {
            // A later homograph: the key is kept again in front of it, so that one read finds both.
            const QString key = view(e.key).toString();
            const QString usable = division.toString();
            e.key = keep(key);
            e.usable = keep(usable);
        } else {
            e.usable = d;
        }
        e.usableStress = s;
        updateSlot(e);
    }
}

// An undivided homograph is a division of one syllable a word: in GCIDE's headwords only where each word has one
// vowel group (cat, New York; paying is undivided there but has two syllables), in a hand-made file always (aren't,
// aisle).
bool Lexicon::undividedIsWhole(const Entry& e) const {
    return !isDictionaryFile(e.file) || Division::needsNoMark(view(e.key));
}

bool Lexicon::isDictionaryFile(int file) const {
    return file >= 0 && file < int(m_dictionaryFiles.size()) && m_dictionaryFiles[std::size_t(file)];
}

// The stress of the first homograph with this division (letter case aside) that an earlier file gave the key this
// file replaces, where it has one: "baby|ba*by" in the supplement keeps GCIDE's "Ba\"by".
Lexicon::Span Lexicon::earlierStress(std::size_t entry, QStringView division) const {
    const auto replaced = m_replaced.find(static_cast<std::uint32_t>(entry));
    if (replaced == m_replaced.end())
        return {};
    for (std::uint32_t r = replaced->second; r != 0; r = m_records[r - 1].next) {
        const Record& record = m_records[r - 1];
        if (record.stress.length != 0 && view(record.division).compare(division, Qt::CaseInsensitive) == 0)
            return record.stress;
    }
    return {};
}

// A spelling of the key without accents: the usable division can only come from such spellings from now on.
void Lexicon::notePlainSpelling(Entry& e) {
    if (e.plainSeen)
        return;
    e.plainSeen = true;
    if (e.usable.length != 0) {
        e.usable = {}; // it came from an accented spelling
        e.usableStress = {};
        updateSlot(e);
    }
}

void Lexicon::addStem(std::size_t entry, QStringView stem) {
    const Span kept = keep(stem);
    Entry& e = m_entries[entry];
    if (link(m_stems, Stem{kept, 0}, e.stems, e.lastStem))
        ++m_forms;
    updateSlot(e);
}

// Appends a node to the list from first to last (indexes + 1, 0 for none); true when it is the list's first.
template <typename Node>
bool Lexicon::link(std::vector<Node>& nodes, Node node, std::uint32_t& first, std::uint32_t& last) {
    nodes.push_back(node);
    const auto added = static_cast<std::uint32_t>(nodes.size());
    const bool wasEmpty = first == 0;
    if (wasEmpty)
        first = added;
    else
        nodes[last - 1].next = added;
    last = added;
    return wasEmpty;
}

// The entry of a key, made when new. A later file forgets what earlier files said of the key (the records it
// leaves behind are no longer reached).
Lexicon::Entry& Lexicon::entryFor(const QString& key, int file) {
    if (const Entry* found = find(key)) {
        Entry& entry = m_entries[found - m_entries.data()];
        if (entry.file != file) {
            m_headwords -= entry.records == 0 ? 0 : 1;
            m_forms -= entry.stems == 0 ? 0 : 1;
            if (entry.records != 0)
                m_replaced[static_cast<std::uint32_t>(found - m_entries.data())] = entry.records;
            Entry fresh;
            fresh.key = entry.key;
            fresh.file = file;
            fresh.slot = entry.slot;
            entry = fresh;
            updateSlot(entry);
        }
        return entry;
    }
    if ((m_entries.size() + 1) * 2 > m_slots.size())
        grow();
    Entry entry;
    entry.key = keep(key);
    entry.file = file;
    m_entries.push_back(entry);
    placeInSlot(m_entries.size() - 1);
    return m_entries.back();
}

void Lexicon::grow() {
    const std::size_t size = m_slots.empty() ? 1024 : m_slots.size() * 2;
    m_slots.assign(size, Slot{});
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        placeInSlot(i);
}

void Lexicon::placeInSlot(std::size_t entry) {
    const std::size_t mask = m_slots.size() - 1;
    const std::size_t hash = hashOf(view(m_entries[entry].key));
    std::size_t slot = hash & mask;
    while (m_slots[slot].entry != 0)
        slot = (slot + 1) & mask;
    m_slots[slot].hash = static_cast<std::uint32_t>(hash >> 32 ^ hash);
    m_slots[slot].entry = static_cast<std::uint32_t>(entry + 1);
    m_entries[entry].slot = static_cast<std::uint32_t>(slot);
    updateSlot(m_entries[entry]);
}

void Lexicon::updateSlot(const Entry& entry) {
    Slot& slot = m_slots[entry.slot];
    const bool fits = entry.key.length < kLong && entry.usable.length < kIsForm &&
                      (entry.usable.length == 0 || entry.usable.offset == entry.key.offset + entry.key.length);
    slot.text = entry.key.offset;
    slot.keyLength = fits ? static_cast<std::uint16_t>(entry.key.length) : kLong;
    slot.usable = static_cast<std::uint16_t>((fits ? entry.usable.length : 0) | (entry.stems != 0 ? kIsForm : 0));
}

const Lexicon::Slot* Lexicon::probe(QStringView key) const {
    if (m_slots.empty())
        return nullptr;
    const std::size_t mask = m_slots.size() - 1;
    const std::size_t hash = hashOf(key);
    const auto shortHash = static_cast<std::uint32_t>(hash >> 32 ^ hash);
    for (std::size_t i = hash & mask; m_slots[i].entry != 0; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.hash != shortHash)
            continue;
        const QStringView text = slot.keyLength == kLong ? view(m_entries[slot.entry - 1].key)
                                                         : QStringView(m_pool).mid(slot.text, slot.keyLength);
        if (text == key)
            return &slot;
    }
    return nullptr;
}

const Lexicon::Entry* Lexicon::find(QStringView key) const {
    const Slot* slot = probe(key);
    return slot ? &m_entries[slot->entry - 1] : nullptr;
}

Lexicon::Span Lexicon::keep(QStringView text) {
    const Span span{static_cast<std::uint32_t>(m_pool.size()), static_cast<std::uint32_t>(text.size())};
    m_pool += text;
    return span;
}

std::vector<Lexicon::Homograph> Lexicon::homographs(QStringView key) const {
    std::vector<Homograph> result;
    if (const Entry* entry = find(key)) {
        for (std::uint32_t r = entry->records; r != 0; r = m_records[r - 1].next)
            result.push_back(homographOf(m_records[r - 1]));
    }
    return result;
}

Lexicon::Homograph Lexicon::homographOf(const Record& record) const {
    return {view(record.division).toString(), view(record.label).toString(), view(record.stress).toString()};
}

QString Lexicon::divisionSpeltAs(QStringView key, QStringView written, QString* stress) const {
    const Entry* entry = find(key);
    if (!entry)
        return {};
    const bool oneGroup = undividedIsWhole(*entry);
    for (std::uint32_t r = entry->records; r != 0; r = m_records[r - 1].next) {
        const QStringView division = view(m_records[r - 1].division);
        if (!oneGroup && !division.contains(Division::kMark))
            continue;
        qsizetype at = 0;
        bool same = true;
        for (const QChar c : division) {
            if (c == Division::kMark)
                continue;
            if (at == written.size() || c.toCaseFolded() != written[at].toCaseFolded()) {
                same = false;
                break;
            }
            ++at;
        }
        if (same && at == written.size()) {
            if (stress)
                *stress = view(m_records[r - 1].stress).toString();
            return division.toString();
        }
    }
    return {};
}

// Read for every line and lookup: one pass, ASCII only.
bool Lexicon::isPlainSpelling(QStringView text) {
    int letters = 0;
    bool lower = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 128)
            return false;
        lower = lower || (u >= u'a' && u <= u'z');
        letters += (u | 0x20) >= u'a' && (u | 0x20) <= u'z';
    }
    return letters < 2 || lower; // "M*A*S*H", spelt out letter by letter, is no division of "mash"
}

QString Lexicon::usableDivision(QStringView key) const {
    return usableDivisionView(key).toString();
}

QStringView Lexicon::usableDivisionView(QStringView key, bool* isForm, QStringView* stress) const {
    const Slot* slot = probe(key);
    if (isForm)
        *isForm = slot && (slot->usable & kIsForm) != 0;
    if (stress)
        *stress = slot ? view(m_entries[slot->entry - 1].usableStress) : QStringView();
    if (!slot)
        return {};
    if (slot->keyLength == kLong)
        return view(m_entries[slot->entry - 1].usable);
    return QStringView(m_pool).mid(slot->text + slot->keyLength, slot->usable & ~kIsForm);
}

std::vector<Lexicon::Homograph> Lexicon::usableHomographs(QStringView key) const {
    std::vector<Homograph> result;
    const Entry* entry = find(key);
    if (!entry)
        return result;
    const bool oneGroup = undividedIsWhole(*entry);
    for (std::uint32_t r = entry->records; r != 0; r = m_records[r - 1].next) {
        const Record& record = m_records[r - 1];
        if (oneGroup || view(record.division).contains(Division::kMark))
            result.push_back(homographOf(record));
    }
    return result;
}

bool Lexicon::hasHeadword(QStringView key) const {
    const Entry* entry = find(key);
    return entry && entry->records != 0;
}

bool Lexicon::isFromDictionary(QStringView key) const {
    const Entry* entry = find(key);
    return entry && isDictionaryFile(entry->file);
}

QStringList Lexicon::stemsOf(QStringView key) const {
    QStringList stems;
    if (const Entry* entry = find(key)) {
        for (std::uint32_t s = entry->stems; s != 0; s = m_stems[s - 1].next)
            stems.append(view(m_stems[s - 1].key).toString());
    }
    return stems;
}

QStringList Lexicon::closestKeys(QStringView key, int most) const {
    // Ranked by the beginning shared, then by how near the lengths are, then by key.
    std::vector<std::tuple<qsizetype, qsizetype, QStringView>> ranked;
    for (const Entry& entry : m_entries) {
        if (entry.records == 0)
            continue;
        const QStringView candidate = view(entry.key);
        const qsizetype limit = std::min(candidate.size(), key.size());
        qsizetype shared = 0;
        while (shared < limit && candidate[shared] == key[shared])
            ++shared;
        if (shared > 0)
            ranked.emplace_back(-shared, std::abs(candidate.size() - key.size()), candidate);
    }
    const auto count = std::min<std::size_t>(ranked.size(), std::max(most, 0));
    std::partial_sort(ranked.begin(), ranked.begin() + count, ranked.end());
    QStringList keys;
    for (std::size_t i = 0; i < count; ++i)
        keys.append(std::get<2>(ranked[i]).toString());
    return keys;
}
