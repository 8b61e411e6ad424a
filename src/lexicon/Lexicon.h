// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <unordered_map>
#include <vector>

// The built-in dictionary's word data: every headword with its homographs (division, part-of-speech label and
// stress), and the inflected forms the dictionary lists under an entry. Read from data files of lines
//     Word|division[:label]|division[:label]...      an entry and its homographs
//     Form|=Word                                    a form listed under the entry Word
// ("#" starts a comment line). A division may carry stress marks (StressMarks.h: "Dem`on*stra\"tion"); it is
// kept as it divides ("Dem*on*stra*tion") with its stress beside it ("2010"). A division without marks in a later
// file takes the stress of an earlier file's homograph of the key with the same division (letter case aside). A file
// read later replaces what earlier files say of the same word; within one file, lines of one key add up ("Mark" and
// "mark" are both homographs of "mark"). Words are found by their WordKey. The text is kept in one pool and the index
// is an open-addressing table, so 150,000 words cost a few megabytes and a lookup allocates nothing but the key.
class Lexicon {
public:
    struct Homograph {
        QString division; // "ba*by"; no "*" when the dictionary gives no division
        QString label;    // "n.", "v. t."; may be empty
        QString stress;   // "10": a character per syllable (see StressMarks.h); empty when the dictionary marks none
    };

    // Reads the files in order. False, with the file and line named in *error, when a file cannot be read or a
    // line is not of the forms above; what was read before stays.
    bool load(const QStringList& files, QString* error = nullptr);
    // Reads one file's text (for tests and for load()).
    bool loadText(QStringView text, const QString& origin, QString* error = nullptr);

    // The homographs of a key, in the order of the data; empty when the key is no headword.
    std::vector<Homograph> homographs(QStringView key) const;
    // The division to take for a key: its first homograph with a boundary mark, else its first when the key is
    // of one vowel group (a one-syllable word needs no mark) or comes from a hand-made file (which means what it
    // writes: aren't, aisle); empty when the dictionary does not divide it.
    QString usableDivision(QStringView key) const;
    // The same as a view into the dictionary's text, valid until the next load, in one probe of the index; *isForm,
    // when asked for, tells whether the key is also a form listed under other entries (see stemsOf), and *stress
    // the usable division's stress (a view like the division; empty when it has none).
    QStringView usableDivisionView(QStringView key, bool* isForm = nullptr, QStringView* stress = nullptr) const;
    // The division of the first homograph spelt as written (letter case aside) that has a usable division; empty
    // when none is. For words written with accents or in capitals: "curé" is Cu*ré, though "cure" is Cure. *stress,
    // when asked for, gets that homograph's stress.
    QString divisionSpeltAs(QStringView key, QStringView written, QString* stress = nullptr) const;
    // Spelt without accents (ASCII only) and not in capitals: such a spelling of a key outranks the others.
    static bool isPlainSpelling(QStringView text);
    // All homographs that have a usable division, in order.
    std::vector<Homograph> usableHomographs(QStringView key) const;
    bool hasHeadword(QStringView key) const;
    // The keys of the entries that list this key as one of their forms.
    QStringList stemsOf(QStringView key) const;
    // True when the key's entry comes from GCIDE's converted headwords (a file whose header names GCIDE as its
    // source), not from a hand-made file such as the supplement.
    bool isFromDictionary(QStringView key) const;

    // Up to `most` headword keys sharing the longest beginnings with the key (most shared first, then in key
    // order); none that share nothing. For a service's suggestions: it reads every key.
    QStringList closestKeys(QStringView key, int most) const;

    qsizetype headwordCount() const { return m_headwords; }
    qsizetype formCount() const { return m_forms; }

private:
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    // A key's homographs and stems are lists threaded through two flat arrays (next: index + 1, 0 ends), so an
    // entry is one small record and a lookup reads its slot, its entry and the pool: nothing on the heap apart.
    struct Record {
        Span division;
        Span label;
        Span stress;
        std::uint32_t next = 0;
    };
    struct Stem {
        Span key;
        std::uint32_t next = 0;
    };
    struct Entry {
        Span key;
        Span usable;               // the division a lookup takes; empty when the key has none
        Span usableStress;         // its stress
        std::uint32_t records = 0; // first and last homograph (index + 1)
        std::uint32_t lastRecord = 0;
        std::uint32_t stems = 0; // first and last key of the entries this form belongs to (index + 1)
        std::uint32_t lastStem = 0;
        bool plainSeen = false; // a homograph spelt without accents: accented ones give no usable division
        int file = -1;          // the file that last spoke of this key
        std::uint32_t slot = 0; // its place in the index
    };

    bool readLines(QStringView text, int file, const QString& origin, QString* error);
    bool readLine(QStringView line, int file, QString* error, const QString& origin, int lineNumber);
    QString readHomograph(std::size_t entry, QStringView field);
    Entry& entryFor(const QString& key, int file);
    void addRecord(std::size_t entry, QStringView division, QStringView label, QStringView stress);
    Span earlierStress(std::size_t entry, QStringView division) const;
    void addStem(std::size_t entry, QStringView stem);
    void notePlainSpelling(Entry& e);
    bool undividedIsWhole(const Entry& e) const;
    bool isDictionaryFile(int file) const;
    template <typename Node>
    static bool link(std::vector<Node>& nodes, Node node, std::uint32_t& first, std::uint32_t& last);
    Homograph homographOf(const Record& record) const;
    const Entry* find(QStringView key) const;
    Span keep(QStringView text);
    QStringView view(Span span) const { return QStringView(m_pool).mid(span.offset, span.length); }
    void grow();

    QString m_pool;
    std::vector<Entry> m_entries;
    // While a file is read: the homographs an earlier file gave each key this file replaces (entry -> first
    // record + 1), for the stress of a division the later file gives without marks.
    std::unordered_map<std::uint32_t, std::uint32_t> m_replaced;
    std::vector<Record> m_records;
    std::vector<Stem> m_stems;
    // A slot holds what a lookup needs besides the text: the key's hash, so that most other keys are passed over
    // without reading them, and where the key and its usable division (kept next to each other) are in the pool.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t entry = 0;     // entry index + 1; 0 is free
        std::uint32_t text = 0;      // the key's offset in the pool, its usable division right after it
        std::uint16_t keyLength = 0; // kLong: read the entry instead
        std::uint16_t usable = 0;    // the usable division's length, and kIsForm
    };
    static constexpr std::uint16_t kLong = 0xffff;
    static constexpr std::uint16_t kIsForm = 0x8000;
    void placeInSlot(std::size_t entry);
    void updateSlot(const Entry& entry);
    const Slot* probe(QStringView key) const;
    std::vector<Slot> m_slots;
    qsizetype m_headwords = 0;
    qsizetype m_forms = 0;
    int m_files = 0;
    std::vector<bool> m_dictionaryFiles; // by file: made from GCIDE
};
