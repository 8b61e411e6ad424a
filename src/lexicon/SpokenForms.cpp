// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/SpokenForms.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace SpokenForms {
namespace {

// ---------------------------------------------------------------------------------------------------------------
// Number words

// How the last word of a number is read.
enum class Form : quint8 { Cardinal, Ordinal, Plural };

struct NumberWord {
    const char* cardinal;
    const char* ordinal;
    const char* plural;
};

// The number words, divided as the dictionary divides them: 0 to 19, the tens 20 to 90, the scales, and the "oh"
// of a year ("nineteen oh five"), which never ends a number.
constexpr NumberWord kNumberWords[] = {
    {"ze*ro", "ze*roth", "ze*ros"},
    {"one", "first", "ones"},
    {"two", "sec*ond", "twos"},
    {"three", "third", "threes"},
    {"four", "fourth", "fours"},
    {"five", "fifth", "fives"},
    {"six", "sixth", "six*es"},
    {"sev*en", "sev*enth", "sev*ens"},
    {"eight", "eighth", "eights"},
    {"nine", "ninth", "nines"},
    {"ten", "tenth", "tens"},
    {"e*lev*en", "e*lev*enth", "e*lev*ens"},
    {"twelve", "twelfth", "twelves"},
    {"thir*teen", "thir*teenth", "thir*teens"},
    {"four*teen", "four*teenth", "four*teens"},
    {"fif*teen", "fif*teenth", "fif*teens"},
    {"six*teen", "six*teenth", "six*teens"},
    {"sev*en*teen", "sev*en*teenth", "sev*en*teens"},
    {"eight*een", "eight*eenth", "eight*eens"},
    {"nine*teen", "nine*teenth", "nine*teens"},
    {"twen*ty", "twen*ti*eth", "twen*ties"},
    {"thir*ty", "thir*ti*eth", "thir*ties"},
    {"for*ty", "for*ti*eth", "for*ties"},
    {"fif*ty", "fif*ti*eth", "fif*ties"},
    {"six*ty", "six*ti*eth", "six*ties"},
    {"sev*en*ty", "sev*en*ti*eth", "sev*en*ties"},
    {"eight*y", "eight*i*eth", "eight*ies"},
    {"nine*ty", "nine*ti*eth", "nine*ties"},
    {"hun*dred", "hun*dredth", "hun*dreds"},
    {"thou*sand", "thou*sandth", "thou*sands"},
    {"mil*lion", "mil*lionth", "mil*lions"},
    {"bil*lion", "bil*lionth", "bil*lions"},
    {"oh", "oh", "oh"},
};

constexpr int kTwenty = 20;
constexpr int kHundred = 28;
constexpr int kThousand = 29;
constexpr int kMillion = 30;
constexpr int kBillion = 31;
constexpr int kOh = 32;

const char* wordSpelling(int word, Form form) {
    const NumberWord& w = kNumberWords[word];
    switch (form) {
    case Form::Ordinal:
        return w.ordinal;
    case Form::Plural:
        return w.plural;
    case Form::Cardinal:
        break;
    }
    return w.cardinal;
}

// The words of one number, in order, each with the blank or hyphen that joins it to the word before.
class Reading {
public:
    void add(int word, char joiner = ' ') {
        if (m_size == kCapacity)
            return;
        m_words[m_size] = quint8(word);
        m_joiners[m_size] = joiner;
        ++m_size;
    }

    // 1 to 99: "twelve", "six*ty-six".
    void addBelowHundred(int n) {
        if (n < 20) {
            add(n);
            return;
        }
        add(kTwenty + n / 10 - 2);
        if (n % 10 != 0)
            add(n % 10, '-');
    }

    // 1 to 999.
    void addBelowThousand(int n) {
        if (n >= 100) {
            add(n / 100);
            add(kHundred);
        }
        if (n % 100 != 0)
            addBelowHundred(n % 100);
    }

    // 0 to 999,999,999,999.
    void addCardinal(quint64 n) {
        if (n == 0) {
            add(0);
            return;
        }
        const std::array<std::pair<quint64, int>, 4> groups{
            {{1000000000, kBillion}, {1000000, kMillion}, {1000, kThousand}, {1, -1}}};
        for (const auto& [size, scale] : groups) {
            const int group = int(n / size % 1000);
            if (group == 0)
                continue;
            addBelowThousand(group);
            if (scale >= 0)
                add(scale);
        }
    }

    // 1000 to 2099: 1000 and 2000 to 2009 in thousands ("two thou*sand five"), the others in two halves ("ten oh
    // five", "nine*teen hun*dred", "twen*ty ten").
    void addYear(int year) {
        if (year == 1000 || (year >= 2000 && year < 2010)) {
            addCardinal(quint64(year));
            return;
        }
        addBelowHundred(year / 100);
        const int low = year % 100;
        if (low == 0) {
            add(kHundred);
        } else if (low < 10) {
            add(kOh);
            add(low);
        } else {
            addBelowHundred(low);
        }
    }

    // The division, the last word read in the given form.
    QString text(Form last) const {
        qsizetype length = m_size;
        for (int i = 0; i < m_size; ++i)
            length += qsizetype(std::strlen(spelling(i, last)));
        QString result;
        result.reserve(length);
        for (int i = 0; i < m_size; ++i) {
            if (i > 0)
                result += QLatin1Char(m_joiners[i]);
            result += QLatin1StringView(spelling(i, last));
        }
        return result;
    }

private:
    const char* spelling(int i, Form last) const {
        return wordSpelling(m_words[i], i + 1 == m_size ? last : Form::Cardinal);
    }

    // Four groups of at most five words: "nine hun*dred nine*ty-nine bil*lion".
    static constexpr int kCapacity = 24;
    std::array<quint8, kCapacity> m_words{};
    std::array<char, kCapacity> m_joiners{};
    int m_size = 0;
};

// ---------------------------------------------------------------------------------------------------------------
// Reading a number as written

constexpr int kMaxDigits = 12; // 999,999,999,999

bool isDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool isApostrophe(QChar c) {
    return c == QLatin1Char('\'') || c.unicode() == 0x2019;
}

char16_t asciiLower(QChar c) {
    const char16_t u = c.unicode();
    return u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u;
}

struct Numeral {
    quint64 value = 0;
    int digits = 0;
    bool grouped = false;    // written with thousands commas
    bool apostrophe = false; // an apostrophe before the digits ("'80s")
    Form suffix = Form::Cardinal;
};

// The digits from i on, with thousands commas in groups of three after a first group of one to three digits.
bool readDigits(QStringView word, qsizetype& i, Numeral& numeral) {
    const qsizetype start = i;
    int group = 0;
    for (; i < word.size(); ++i) {
        if (isDigit(word[i])) {
            if (++numeral.digits > kMaxDigits)
                return false;
            numeral.value = numeral.value * 10 + (word[i].unicode() - u'0');
            ++group;
        } else if (word[i] == QLatin1Char(',')) {
            if (numeral.grouped ? group != 3 : group == 0 || group > 3)
                return false;
            numeral.grouped = true;
            group = 0;
        } else {
            break;
        }
    }
    const bool leadingZero = numeral.digits > 1 && word[start] == QLatin1Char('0');
    return numeral.digits > 0 && !leadingZero && (!numeral.grouped || group == 3);
}

// The ordinal suffix a number takes: "st", "nd", "rd" or "th".
const char* ordinalSuffix(quint64 value) {
    if (value % 100 >= 11 && value % 100 <= 13)
        return "th";
    switch (value % 10) {
    case 1:
        return "st";
    case 2:
        return "nd";
    case 3:
        return "rd";
    default:
        return "th";
    }
}

// What follows the digits: nothing, a plural "s" (or "'s"), or the number's own ordinal suffix.
bool readSuffix(QStringView rest, Numeral& numeral) {
    if (rest.isEmpty())
        return true;
    if (rest.size() == 2 && isApostrophe(rest[0]))
        rest = rest.mid(1);
    if (rest.size() == 1 && asciiLower(rest[0]) == u's') {
        numeral.suffix = Form::Plural;
        return true;
    }
    const char* wanted = ordinalSuffix(numeral.value);
    if (rest.size() != 2 || asciiLower(rest[0]) != char16_t(wanted[0]) || asciiLower(rest[1]) != char16_t(wanted[1]))
        return false;
    numeral.suffix = Form::Ordinal;
    return true;
}

std::optional<Numeral> readNumeral(QStringView word) {
    Numeral numeral;
    qsizetype i = 0;
    if (!word.isEmpty() && isApostrophe(word[0])) {
        numeral.apostrophe = true;
        ++i;
    }
    if (!readDigits(word, i, numeral) || !readSuffix(word.mid(i), numeral))
        return std::nullopt;
    return numeral;
}

bool isYear(const Numeral& numeral) {
    return numeral.digits == 4 && !numeral.grouped && !numeral.apostrophe && numeral.value <= 2099;
}

// A decade: a year or 10 to 90, ending in 0.
bool isDecade(const Numeral& numeral) {
    const bool twoDigits = numeral.digits == 2 && !numeral.grouped;
    return numeral.value % 10 == 0 && (twoDigits || isYear(numeral));
}

} // namespace

bool hasDigit(QStringView word) {
    for (const QChar c : word) {
        if (isDigit(c))
            return true;
    }
    return false;
}

QString number(QStringView word) {
    const std::optional<Numeral> numeral = readNumeral(word);
    // Only a decade may stand after an apostrophe.
    if (!numeral || (numeral->suffix == Form::Plural ? !isDecade(*numeral) : numeral->apostrophe))
        return {};
    Reading reading;
    if (numeral->suffix == Form::Plural && numeral->digits == 2)
        reading.addBelowHundred(int(numeral->value));
    else if (numeral->suffix != Form::Ordinal && isYear(*numeral))
        reading.addYear(int(numeral->value));
    else
        reading.addCardinal(numeral->value);
    return reading.text(numeral->suffix);
}

// ---------------------------------------------------------------------------------------------------------------
// Letters

namespace {

constexpr qsizetype kMaxLetters = 8;

bool isAsciiLetter(QChar c) {
    const char16_t u = asciiLower(c);
    return u >= u'a' && u <= u'z';
}

bool isW(QChar c) {
    return asciiLower(c) == u'w';
}

} // namespace

QString letters(QStringView word) {
    if (word.isEmpty() || word.size() > kMaxLetters || !std::all_of(word.begin(), word.end(), isAsciiLetter))
        return {};
    static constexpr QLatin1StringView kDoubleU("dou*ble-u");
    QString result;
    result.reserve(word.size() * (kDoubleU.size() + 1));
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (i > 0)
            result += isW(word[i]) || isW(word[i - 1]) ? QLatin1Char(' ') : QLatin1Char('*');
        if (isW(word[i]))
            result += kDoubleU;
        else
            result += word[i];
    }
    return result;
}

// ---------------------------------------------------------------------------------------------------------------
// Abbreviations

namespace {

enum class Match : quint8 {
    FirstLetterEitherCase, // "Mr" and "mr", "vs" and "Vs"
    AsWritten,             // the lower-case form is a word of its own, or never written so
};

struct Abbreviation {
    QLatin1StringView written;
    const char* spoken;
    Match match = Match::FirstLetterEitherCase;
};

// Common written abbreviations whose reading is not in doubt, with the words they stand for divided as the
// dictionary divides them. Left out: those that are also words ("No", "Min", "Co", "Col", "Rev", "Hon", "Apt",
// "Sept", "Bros", "Viz"), names ("Jan", "Jun", "Sen"), those read two ways ("Gen" general or generation, "Rep"
// representative or rep, "Inc" incorporated or "ink", "Ft" fort or feet, "Sec", "Cf"), units (a reading that
// needs the number before it), the days of the week (half of them are words).
constexpr Abbreviation kAbbreviations[] = {
    // Titles
    {QLatin1StringView("Mr"), "mis*ter"},
    {QLatin1StringView("Mrs"), "mis*sus"},
    {QLatin1StringView("Ms"), "miz"},
    {QLatin1StringView("Dr"), "doc*tor"},
    {QLatin1StringView("Jr"), "jun*ior"},
    {QLatin1StringView("Sr"), "sen*ior"},
    {QLatin1StringView("St"), "saint"}, // or "street": one syllable either way
    {QLatin1StringView("Prof"), "pro*fess*or", Match::AsWritten},
    {QLatin1StringView("Gov"), "gov*ern*or", Match::AsWritten},
    {QLatin1StringView("Capt"), "cap*tain"},
    {QLatin1StringView("Lt"), "lieu*ten*ant"},
    {QLatin1StringView("Sgt"), "ser*geant"},
    {QLatin1StringView("Esq"), "es*quire"},
    // Places
    {QLatin1StringView("Mt"), "mount"},
    {QLatin1StringView("Ave"), "av*e*nue"},
    {QLatin1StringView("Blvd"), "bou*le*vard"},
    {QLatin1StringView("Rd"), "road"},
    {QLatin1StringView("Hwy"), "high*way"},
    // Business
    {QLatin1StringView("Ltd"), "lim*it*ed"},
    {QLatin1StringView("Corp"), "cor*po*ra*tion"},
    {QLatin1StringView("Dept"), "de*part*ment"},
    // Latin and the like
    {QLatin1StringView("vs"), "ver*sus"},
    {QLatin1StringView("etc"), "et cet*e*ra"},
    {QLatin1StringView("approx"), "ap*prox*i*mate*ly"},
    {QLatin1StringView("www"), "dou*ble-u dou*ble-u dou*ble-u"}, // the letters, but never written in capitals
    // Months, always written with a capital ("dec", "oct" are other things in technical prose)
    {QLatin1StringView("Feb"), "feb*ru*a*ry", Match::AsWritten},
    {QLatin1StringView("Apr"), "a*pril", Match::AsWritten},
    {QLatin1StringView("Jul"), "ju*ly", Match::AsWritten},
    {QLatin1StringView("Aug"), "au*gust", Match::AsWritten},
    {QLatin1StringView("Oct"), "oc*to*ber", Match::AsWritten},
    {QLatin1StringView("Nov"), "no*vem*ber", Match::AsWritten},
    {QLatin1StringView("Dec"), "de*cem*ber", Match::AsWritten},
};

bool matches(const Abbreviation& abbreviation, QStringView word) {
    const QLatin1StringView written = abbreviation.written;
    if (word.size() != written.size() || word.mid(1) != written.mid(1))
        return false;
    if (abbreviation.match == Match::AsWritten)
        return word.front() == written.front();
    return asciiLower(word.front()) == asciiLower(written.front());
}

} // namespace

QString abbreviation(QStringView word) {
    constexpr qsizetype kLongest = 6; // "approx"
    if (word.size() < 2 || word.size() > kLongest)
        return {};
    // Looked up for every word: the entries of each length are found without reading the others.
    static const auto byLength = [] {
        std::array<std::vector<const Abbreviation*>, kLongest + 1> lengths;
        for (const Abbreviation& entry : kAbbreviations)
            lengths[std::size_t(entry.written.size())].push_back(&entry);
        return lengths;
    }();
    for (const Abbreviation* candidate : byLength[std::size_t(word.size())]) {
        const Abbreviation& entry = *candidate;
        if (!matches(entry, word))
            continue;
        QString spoken = QString::fromLatin1(entry.spoken);
        if (word.front().isUpper())
            spoken[0] = spoken[0].toUpper();
        return spoken;
    }
    return {};
}

namespace {

bool isCapitalVowel(QChar c, bool first) {
    return QStringView(u"AEIOU").contains(c) || (c == u'Y' && !first);
}

// Consonant clusters that start English words and that end them; a single consonant does both, and an ending may
// take a plural s (PRINTS).
constexpr QStringView kOnsets[] = {u"BL",  u"BR",  u"CH",  u"CL", u"CR",  u"DR", u"DW", u"FL", u"FR",  u"GL",
                                   u"GR",  u"KL",  u"KN",  u"KR", u"PH",  u"PL", u"PR", u"QU", u"SC",  u"SCH",
                                   u"SCR", u"SH",  u"SHR", u"SK", u"SL",  u"SM", u"SN", u"SP", u"SPL", u"SPR",
                                   u"ST",  u"STR", u"SW",  u"TH", u"THR", u"TR", u"TW", u"WH", u"WR"};
constexpr QStringView kCodas[] = {u"CH", u"CK", u"CT", u"FT", u"LD", u"LF", u"LK", u"LL", u"LM", u"LP",  u"LT", u"MP",
                                  u"ND", u"NG", u"NK", u"NT", u"PT", u"RB", u"RC", u"RD", u"RF", u"RG",  u"RK", u"RL",
                                  u"RM", u"RN", u"RP", u"RT", u"SH", u"SK", u"SP", u"SS", u"ST", u"TCH", u"TH", u"XT"};

bool isCluster(QStringView run, const QStringView* clusters, std::size_t count) {
    return run.size() <= 1 || std::find(clusters, clusters + count, run) != clusters + count;
}

bool isCoda(QStringView run) {
    if (run.size() >= 2 && run.back() == u'S' && isCluster(run.chopped(1), kCodas, std::size(kCodas)))
        return true;
    return isCluster(run, kCodas, std::size(kCodas));
}

} // namespace

bool isInitialism(QStringView word) {
    if (word.size() < 2 || word.size() > 6 ||
        !std::all_of(word.begin(), word.end(), [](QChar c) { return c >= u'A' && c <= u'Z'; }))
        return false;
    if (word.size() <= 3)
        return true;
    // The runs of consonants before the first vowel, between vowels and after the last.
    qsizetype first = -1;
    qsizetype last = -1;
    qsizetype run = 0;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (!isCapitalVowel(word[i], i == 0)) {
            ++run;
            continue;
        }
        if (first >= 0 && run > 3)
            return true; // no word of this size has four consonants inside
        if (first < 0)
            first = i;
        last = i;
        run = 0;
    }
    if (first < 0)
        return true;
    return !isCluster(word.left(first), kOnsets, std::size(kOnsets)) || !isCoda(word.mid(last + 1));
}

QString lettersWithEnding(QStringView word) {
    if (word.size() < 2 || word.size() > 8) // six capitals and 's at most
        return {};
    if (word.back() == u's' && word[0].isUpper()) {
        const QChar before = word[word.size() - 2];
        const qsizetype ending = before == u'\'' || before == u'\u2019' ? 2 : 1;
        if (word.size() > ending + 1 && isInitialism(word.chopped(ending)))
            return letters(word.chopped(ending)) + word.last(ending).toString();
    }
    const bool vowelless = word.size() <= 6 && std::all_of(word.begin(), word.end(), [](QChar c) {
                               return c.unicode() < 0x80 && c.isLetter() && !QStringView(u"aeiouyAEIOUY").contains(c);
                           });
    return vowelless ? letters(word) : QString();
}

bool isLetterRun(QStringView division) {
    for (qsizetype i = 0; i < division.size(); ++i) {
        const bool letterPlace = i % 2 == 0;
        if (letterPlace ? !(division[i].unicode() < 0x80 && division[i].isLetter()) : division[i] != u'*')
            return false;
    }
    return division.size() % 2 == 1;
}

} // namespace SpokenForms
