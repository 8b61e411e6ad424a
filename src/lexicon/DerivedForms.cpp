// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/DerivedForms.h"

#include "lexicon/DerivedStress.h"
#include "lexicon/Division.h"
#include "lexicon/Lexicon.h"
#include "lexicon/StressEstimator.h"
#include "lexicon/SyllableEstimator.h"
#include "lexicon/WordKey.h"

#include <QVarLengthArray>
#include <algorithm>

namespace {

constexpr int kDepth = 3;          // suffix on prefix on compound, at most
constexpr qsizetype kLongest = 40; // longer "words" are not English words: no derivation is tried
// The dictionary lookups one derivation may make. A word that is no form of a listed one tries every rule on every
// candidate stem; the budget keeps that to a few microseconds, and real forms need far fewer lookups.
constexpr int kLookupBudget = 48;
constexpr qsizetype kMinStem = 2; // "be" in being
constexpr qsizetype kMinPart = 3; // the shortest word of a closed compound

// QStringView::endsWith without the case-insensitive machinery: the derivation asks it dozens of times a word.
bool endsWith(QStringView text, QStringView tail) {
    return text.size() >= tail.size() && std::equal(tail.begin(), tail.end(), text.end() - tail.size());
}

bool isConsonant(QChar c) {
    return c.isLetter() && !WordKey::isVowel(c);
}

// The key ends in a sound that takes a spoken -es: s, x, z, ch, sh; or a silent e after c, g, s or z.
bool endsHissing(QStringView key) {
    return key.endsWith(u's') || key.endsWith(u'x') || key.endsWith(u'z') || endsWith(key, u"ch") ||
           endsWith(key, u"sh");
}

// A silent e after such a sound: face, page, rose, prize, niche, cache (but not ache, spoken with a k).
bool endsSilentHissingE(QStringView key) {
    const qsizetype n = key.size();
    if (n < 3 || key[n - 1] != u'e')
        return false;
    if (QStringView(u"cgsz").contains(key[n - 2]))
        return true;
    return (endsWith(key, u"che") && !endsWith(key, u"ache")) || endsWith(key, u"she");
}

bool soundsHissing(QStringView key) {
    return endsHissing(key) || endsSilentHissingE(key);
}

// A letter the user cannot have meant when typing plain ASCII: an accent that makes another word (massé, couché,
// attaché). A diaeresis or a ligature only writes the same letters another way (coöperate, Cæsar).
bool needsUnwrittenAccent(QStringView division) {
    for (const QChar c : division) {
        if (c.unicode() < 0x80 || c == u'æ' || c == u'Æ' || c == u'œ' || c == u'Œ')
            continue;
        const QString parts = c.decomposition();
        if (parts.size() != 2 || parts[1] != QChar(0x0308))
            return true;
    }
    return false;
}

// A contraction's ending, and whether it adds a syllable after a consonant (it·'ll, could·'ve, it·'d) or after
// any letter (could·n't).
struct Contraction {
    QStringView ending;
    bool afterConsonant;
    bool always;
};
constexpr Contraction kContractions[] = {
    {u"n't", false, true}, {u"'ll", true, false}, {u"'ve", true, false}, {u"'re", true, false}, {u"'d", false, false},
};

// "han*dle", "sim*ple": a final syllable of a consonant and "le", which loses its e before a vowel suffix.
bool endsConsonantLe(QStringView division) {
    const qsizetype n = division.size();
    return n >= 3 && endsWith(division, u"le") && isConsonant(division[n - 3].toLower());
}

bool endsDoubled(QStringView key) {
    const qsizetype n = key.size();
    return n >= 3 && key[n - 1] == key[n - 2] && isConsonant(key[n - 1]);
}

bool endsTOrD(QStringView key) {
    return key.endsWith(u't') || key.endsWith(u'd');
}

QString dropLast(const QString& division, qsizetype n = 1) {
    return division.left(division.size() - n);
}

// The division without its silent e: "hope" -> "hop". When the e was all of its syllable's vowel ("ma*te", a
// homograph's division), the consonants left join the syllable before: "mat", not "ma*t".
QString dropSilentE(const QString& division) {
    QString rest = dropLast(division);
    const qsizetype mark = rest.lastIndexOf(Division::kMark);
    if (mark >= 0 && !Division::hasVowel(QStringView(rest).mid(mark + 1)))
        rest.remove(mark, 1);
    return rest;
}

// The index in a division of its letter number `letter` (marks skipped); the size when there are fewer letters.
qsizetype indexOfLetter(QStringView division, qsizetype letter) {
    for (qsizetype i = 0; i < division.size(); ++i) {
        if (division[i] != Division::kMark && letter-- == 0)
            return i;
    }
    return division.size();
}

// British spellings and the American ones the dictionary lists: the key's text, the listed text, where it ends.
struct Respelling {
    QStringView british;
    QStringView listed;
    bool atEnd;
};
// Suffixes added to a word as it is; comparatives also drop a silent e (nic·er) and double a consonant (big·ger).
struct PlainSuffix {
    QStringView suffix;
    bool comparative;
};
constexpr PlainSuffix kPlainSuffixes[] = {{u"er", true},    {u"est", true},  {u"ness", false},
                                          {u"ment", false}, {u"ful", false}, {u"less", false}};

constexpr Respelling kRespellings[] = {
    {u"our", u"or", false},  {u"ise", u"ize", false},  {u"isation", u"ization", false}, {u"tre", u"ter", true},
    {u"yse", u"yze", false}, {u"logue", u"log", true}, {u"ence", u"ense", true},
};

} // namespace

QString DerivedForms::derive(QStringView key, Context& context) const {
    context.stress.clear();
    if (key.size() > kLongest)
        return {};
    context.lookupsLeft = kLookupBudget;
    context.compounded = false;
    context.movedStress = false;
    Form form = resolve(key, kDepth, context);
    context.stress = std::move(form.stress);
    return std::move(form.division);
}

QString DerivedForms::derive(QStringView key) const {
    Context context;
    return derive(key, context);
}

QString DerivedForms::regularInflection(QStringView key, Context& context) const {
    const bool inflected = key.endsWith(u's') || endsWith(key, u"ed");
    context.stress.clear();
    if (!inflected || key.size() > kLongest)
        return {};
    context.lookupsLeft = kLookupBudget;
    Form form = suffixRules(key, 0, {}, context);
    context.stress = std::move(form.stress);
    return std::move(form.division);
}

QString DerivedForms::listed(QStringView key) const {
    return m_lexicon.usableDivision(key);
}

// The stress of a listed key's first homograph labelled as a verb, when the dictionary gives it one of as many
// syllables; otherwise the stress given.
QString DerivedForms::verbStress(QStringView key, const QString& otherwise) const {
    if (key.isEmpty())
        return otherwise;
    for (const Lexicon::Homograph& homograph : m_lexicon.usableHomographs(key)) {
        if (homograph.label.startsWith(u'v') && homograph.stress.size() == otherwise.size())
            return homograph.stress;
    }
    return otherwise;
}

// A listed word, unless it needs an accent the user did not type.
DerivedForms::Form DerivedForms::listedStem(QStringView key, const Context& c, bool* isForm) const {
    QStringView stress;
    const QStringView division = m_lexicon.usableDivisionView(key, isForm, c.withStress ? &stress : nullptr);
    if (division.isEmpty() || (c.writtenPlain && needsUnwrittenAccent(division)))
        return {};
    return {division.toString(), c.withStress ? DerivedStress::ofStem(stress, division) : QString()};
}

DerivedForms::Form DerivedForms::resolve(QStringView key, int depth, Context& c) const {
    if (c.lookupsLeft-- <= 0)
        return {};
    bool isForm = false;
    if (Form listed = listedStem(key, c, &isForm); !listed.isEmpty())
        return listed;
    if (depth <= 0 || key.isEmpty())
        return {};
    if (isForm) {
        // A regular form of the entry it is listed under (stay·ing, cre·at·ed) is made as the suffix rules make
        // it; only an irregular one (be·gan) takes the entry's boundaries as they are.
        if (Form form = bySuffixOn(key, depth, m_lexicon.stemsOf(key), c); !form.isEmpty())
            return form;
        if (Form form = byListedForm(key, c); !form.isEmpty())
            return form;
    }
    for (auto rule :
         {&DerivedForms::byParts, &DerivedForms::byContraction, &DerivedForms::bySuffix, &DerivedForms::byRespelling,
          &DerivedForms::byPrefix, &DerivedForms::byMovingSuffix, &DerivedForms::byCompound}) {
        const bool compounded = c.compounded;
        const bool moved = c.movedStress;
        if (Form form = (this->*rule)(key, depth, c); !form.isEmpty())
            return form;
        c.compounded = compounded; // what a failed rule tried does not count
        c.movedStress = moved;
    }
    return {};
}

// could·n't, it·'ll, she'll, could·'ve, I've, it·'d, you'd, they're: a contraction's ending adds a syllable where
// it is spoken as one.
DerivedForms::Form DerivedForms::byContraction(QStringView key, int depth, Context& c) const {
    for (const Contraction& contraction : kContractions) {
        if (!endsWith(key, contraction.ending) || key.size() <= contraction.ending.size())
            continue;
        const QStringView base = key.chopped(contraction.ending.size());
        const Form stem = resolve(base, depth - 1, c);
        if (stem.isEmpty())
            return {};
        const QChar last = base.back();
        const bool spoken =
            contraction.always ||
            (contraction.afterConsonant ? isConsonant(last) && !endsWith(base, u"e") : last == u't' || last == u'd');
        QString division = stem.division + (spoken ? QStringLiteral("*") : QString()) + contraction.ending.toString();
        QString stress = c.withStress ? DerivedStress::kept(stem.stress, division) : QString();
        return {std::move(division), std::move(stress)};
    }
    return {};
}

// Words joined by blanks or hyphens: every part must resolve.
DerivedForms::Form DerivedForms::byParts(QStringView key, int depth, Context& c) const {
    qsizetype start = 0;
    Form joined;
    for (qsizetype i = 0; i <= key.size(); ++i) {
        if (i < key.size() && key[i] != u' ' && key[i] != u'-')
            continue;
        if (i == key.size() && joined.isEmpty())
            return {};
        const Form part = resolve(key.mid(start, i - start), depth - 1, c);
        if (part.isEmpty() || (c.withStress && part.stress.isEmpty() && !joined.stress.isEmpty()))
            return {};
        joined.division += part.division;
        joined.stress += part.stress; // each word keeps its own
        if (i < key.size())
            joined.division += key[i];
        start = i + 1;
    }
    return joined;
}

DerivedForms::Form DerivedForms::bySuffix(QStringView key, int depth, Context& c) const {
    return bySuffixOn(key, depth, {}, c);
}

DerivedForms::Form DerivedForms::bySuffixOn(QStringView key, int depth, const QStringList& stems, Context& c) const {
    // A listed stem goes before one that must be derived itself: op·er·at·ing from op·er·ate, not from ope + rat.
    if (Form form = suffixRules(key, 0, stems, c); !form.isEmpty())
        return form;
    return depth > 1 ? suffixRules(key, depth - 1, stems, c) : Form{};
}

// The suffix rules with stems found in the dictionary (stemDepth 0) or derived up to stemDepth steps.
DerivedForms::Form DerivedForms::suffixRules(QStringView key, int stemDepth, const QStringList& stems,
                                             Context& c) const {
    QString stemStress; // the stress of the stem last found
    QString stemKey;    // and its key
    const auto stem = [&](QStringView base, QStringView extra = {}) -> QString {
        QVarLengthArray<QChar, kLongest + 2> wanted;
        wanted.append(base.data(), base.size());
        wanted.append(extra.data(), extra.size());
        const QStringView candidate(wanted.data(), wanted.size());
        if (candidate.size() < kMinStem || (!stems.isEmpty() && !stems.contains(candidate)))
            return {};
        Form found = stemDepth == 0 ? listedStem(candidate, c) : resolve(candidate, stemDepth, c);
        stemStress = std::move(found.stress);
        if (c.withStress)
            stemKey = candidate.toString();
        return std::move(found.division);
    };
    // A listed stem whether or not the key is listed as its form.
    const auto anyListed = [&](QStringView base) -> QString {
        Form found = listedStem(base, c);
        stemStress = std::move(found.stress);
        return std::move(found.division);
    };
    // Every suffix here leaves the stem's stress alone.
    const auto form = [&](QString division) {
        QString stress = c.withStress ? DerivedStress::kept(stemStress, division) : QString();
        return Form{std::move(division), std::move(stress)};
    };
    // A suffix of verbs (-ing, -ed, -ment, -able, -er) takes the stress of the stem as a verb where the dictionary
    // stresses its verb otherwise (re·ˈcord·ing, bom·ˈbard·ment, not ˈrec·ord, ˈbom·bard).
    const auto verbal = [&](QString division) {
        if (c.withStress)
            stemStress = verbStress(stemKey, stemStress);
        return form(std::move(division));
    };
    const qsizetype n = key.size();
    QString s;
    // possessives: the cat's, the boss's, the judge's, the babies'
    if (endsWith(key, u"'s") && !(s = stem(key.chopped(2))).isEmpty())
        return form(soundsHissing(key.chopped(2)) ? s + QStringLiteral("*'s") : s + QStringLiteral("'s"));
    if (endsWith(key, u"s'") && !(s = stem(key.chopped(1))).isEmpty())
        return form(s + u'\'');
    // -ing: walk·ing, hop·ping, hop·ing, han·dling, dy·ing
    if (endsWith(key, u"ing") && n > 4) {
        const QStringView base = key.chopped(3);
        if (!(s = stem(base)).isEmpty())
            return verbal(s + QStringLiteral("*ing"));
        if (endsDoubled(base) && !(s = stem(base.chopped(1))).isEmpty())
            return verbal(s + u'*' + base.back() + QStringLiteral("ing"));
        if (!(s = stem(base, u"e")).isEmpty())
            return verbal(endsConsonantLe(s) ? dropLast(s) + QStringLiteral("ing")
                                             : dropSilentE(s) + QStringLiteral("*ing"));
        if (base.endsWith(u'y') && !(s = stem(base.chopped(1), u"ie")).isEmpty())
            return verbal(dropLast(s, 2) + QStringLiteral("y*ing"));
    }
    // -ed: want·ed, walked, hoped, hat·ed, hopped, pat·ted, ba·bied
    if (endsWith(key, u"ied") && n > 4 && !(s = stem(key.chopped(3), u"y")).isEmpty())
        return verbal(dropLast(s) + QStringLiteral("ied"));
    if (endsWith(key, u"ed") && n > 3) {
        const QStringView base = key.chopped(2);
        if (!(s = stem(base)).isEmpty())
            return verbal(endsTOrD(base) ? s + QStringLiteral("*ed") : s + QStringLiteral("ed"));
        if (!(s = stem(base, u"e")).isEmpty())
            return verbal(endsTOrD(base) ? dropSilentE(s) + QStringLiteral("*ed") : s + u'd');
        if (endsDoubled(base) && !(s = stem(base.chopped(1))).isEmpty())
            return verbal(endsTOrD(base) ? s + u'*' + base.back() + QStringLiteral("ed")
                                         : s + base.back() + QStringLiteral("ed"));
    }
    // plurals and third persons: ba·bies, cats, pa·ges, box·es, po·ta·toes, quiz·zes
    if (endsWith(key, u"ies") && n > 4 && !(s = stem(key.chopped(3), u"y")).isEmpty())
        return form(dropLast(s) + QStringLiteral("ies"));
    // pass·es, cross·es and mass·es, not pas·ses, cros·ses and mas·sés from passe, crosse and massé (unless the
    // word is written with the accent); a listed word in -ss also before the entry a form is listed under
    // (class·es, not clas·ses as the plural of classis)
    if (endsWith(key, u"sses") && c.writtenPlain &&
        !(s = stemDepth == 0 ? anyListed(key.chopped(2)) : stem(key.chopped(2))).isEmpty())
        return form(s + QStringLiteral("*es"));
    // a hissing stem takes -es before a stem in -e takes -s: teach·es (not teache + s), couch·es, box·es
    if (endsWith(key, u"es") && n > 3 && endsHissing(key.chopped(2)) && !endsWith(key, u"sses") &&
        !(s = stem(key.chopped(2))).isEmpty())
        return form(s + QStringLiteral("*es"));
    if (key.endsWith(u's') && !endsWith(key, u"ss") && n > 2) {
        const QStringView base = key.chopped(1);
        if (!(s = stem(base)).isEmpty()) {
            if (!endsSilentHissingE(base))
                return form(s + u's');
            // pa·ges, ni·ches: the syllable the e now sounds takes the consonant before it (one for ch and sh)
            const qsizetype keep = endsWith(base, u"che") || endsWith(base, u"she") ? 3 : 2;
            return form(s.endsWith(Division::kMark + s.right(keep)) ? s + u's'
                                                                    : s.chopped(keep) + u'*' + s.right(keep) + u's');
        }
        if (endsWith(key, u"es") && n > 3) {
            const QStringView plain = key.chopped(2);
            if (plain.endsWith(u'o') && !(s = stem(plain)).isEmpty())
                return form(s + QStringLiteral("es"));
            if (endsDoubled(plain) && plain.endsWith(u'z') && !(s = stem(plain.chopped(1))).isEmpty())
                return form(s + QStringLiteral("*zes"));
        }
    }
    // comparatives and doers: fast·er, nic·er, sim·pler, big·ger, hap·pi·er, fast·est; and -ness, -ment, -ful,
    // -less: kind·ness, hap·pi·ness, move·ment, ar·gu·ment, beau·ti·ful, pen·ni·less
    for (const PlainSuffix& plain : kPlainSuffixes) {
        const QStringView suffix = plain.suffix;
        if (!endsWith(key, suffix) || n <= suffix.size() + 1)
            continue;
        const QStringView base = key.chopped(suffix.size());
        const QString tail = QStringLiteral("*") + suffix.toString();
        const bool ofVerbs = suffix == QLatin1String("ment") || suffix == QLatin1String("er");
        const auto made = [&](QString division) {
            return ofVerbs ? verbal(std::move(division)) : form(std::move(division));
        };
        if (!(s = stem(base)).isEmpty())
            return made(s + tail);
        if (plain.comparative && !(s = stem(base, u"e")).isEmpty())
            return made(endsConsonantLe(s) ? dropLast(s) + suffix.toString() : dropSilentE(s) + tail);
        if (plain.comparative && endsDoubled(base) && !(s = stem(base.chopped(1))).isEmpty())
            return made(s + u'*' + base.back() + suffix.toString());
        if (base.endsWith(u'i') && !(s = stem(base.chopped(1), u"y")).isEmpty())
            return made(dropLast(s) + QStringLiteral("i") + tail);
        if (suffix == QLatin1String("ment") && !(s = stem(base, u"e")).isEmpty())
            return made(dropSilentE(s) + tail);
    }
    // -ly: quick·ly, hap·pi·ly, sim·ply, tru·ly; an -ed the stem leaves silent is spoken before it:
    // al·leg·ed·ly, sup·pos·ed·ly, mark·ed·ly
    if (endsWith(key, u"ly") && n > 3) {
        const QStringView base = key.chopped(2);
        if (!(s = stem(base)).isEmpty()) {
            const bool silentEd = endsWith(base, u"ed") && !endsTOrD(base.chopped(2)) && s.size() > 3 &&
                                  isConsonant(s[s.size() - 3].toLower());
            return form(silentEd ? s.chopped(2) + QStringLiteral("*ed*ly") : s + QStringLiteral("*ly"));
        }
        if (base.endsWith(u'i') && !(s = stem(base.chopped(1), u"y")).isEmpty())
            return form(dropLast(s) + QStringLiteral("i*ly"));
        if (!(s = stem(key.chopped(1), u"e")).isEmpty() && endsConsonantLe(s))
            return form(dropLast(s) + u'y');
        if (!(s = stem(base, u"e")).isEmpty())
            return form(dropSilentE(s) + QStringLiteral("*ly"));
    }
    // -able: read·a·ble, lov·a·ble, re·li·a·ble, for·get·ta·ble
    if (endsWith(key, u"able") && n > 5) {
        const QStringView base = key.chopped(4);
        if (!(s = stem(base)).isEmpty())
            return verbal(s + QStringLiteral("*a*ble"));
        if (!(s = stem(base, u"e")).isEmpty())
            return verbal(dropSilentE(s) + QStringLiteral("*a*ble"));
        if (base.endsWith(u'i') && !(s = stem(base.chopped(1), u"y")).isEmpty())
            return verbal(dropLast(s) + QStringLiteral("i*a*ble"));
        if (endsDoubled(base) && !(s = stem(base.chopped(1))).isEmpty())
            return verbal(s + u'*' + base.back() + QStringLiteral("a*ble"));
    }
    return {};
}

// hon·our from hon·or, re·al·ise from re·al·ize, cen·tre from cen·ter: the listed word's boundaries, the key's letters.
DerivedForms::Form DerivedForms::byRespelling(QStringView key, int depth, Context& c) const {
    for (const Respelling& respelling : kRespellings) {
        const qsizetype at = respelling.atEnd
                                 ? (endsWith(key, respelling.british) ? key.size() - respelling.british.size() : -1)
                                 : key.lastIndexOf(respelling.british);
        if (at < 0)
            continue;
        const QString listed =
            key.left(at).toString() + respelling.listed.toString() + key.mid(at + respelling.british.size()).toString();
        const Form form = resolve(listed, depth - 1, c);
        const QString& division = form.division;
        if (division.isEmpty())
            continue;
        const qsizetype from = indexOfLetter(division, at);
        const qsizetype to = indexOfLetter(division, at + respelling.listed.size() - 1) + 1;
        if (QStringView(division).mid(from, to - from).contains(Division::kMark))
            continue; // a boundary inside the respelt letters: no telling where it goes
        return {division.left(from) + respelling.british.toString() + division.mid(to), form.stress};
    }
    return {};
}

// be·gan from be·gin: an irregular form the dictionary lists under an entry keeps the entry's boundaries in the
// letters both share, when that gives as many syllables as the form has vowel groups.
DerivedForms::Form DerivedForms::byListedForm(QStringView key, const Context& c) const {
    for (const QString& stem : m_lexicon.stemsOf(key)) {
        const Form listed = listedStem(stem, c);
        const QString& division = listed.division;
        qsizetype shared = 0;
        while (shared < key.size() && shared < stem.size() && key[shared] == stem[shared])
            ++shared;
        if (division.isEmpty() || shared == 0)
            continue;
        QString form = division.left(indexOfLetter(division, shared)) + key.mid(shared).toString();
        if (Division::markedSyllables(form) == std::max(1, Division::vowelGroups(key))) {
            QString stress = c.withStress ? DerivedStress::kept(listed.stress, form) : QString();
            return {std::move(form), std::move(stress)};
        }
    }
    return {};
}

// un·hap·py, re·o·pen
DerivedForms::Form DerivedForms::byPrefix(QStringView key, int depth, Context& c) const {
    for (const QStringView prefix : {QStringView(u"un"), QStringView(u"re")}) {
        if (!key.startsWith(prefix) || key.size() < prefix.size() + kMinStem)
            continue;
        const Form rest = resolve(key.mid(prefix.size()), depth - 1, c);
        if (!rest.isEmpty())
            return {prefix.toString() + u'*' + rest.division, DerivedStress::prefixed(rest.stress)};
    }
    return {};
}

// pho·to·graph·ic, e·lec·tric·i·ty, em·ploy·ee: a suffix that moves the stress (DerivedStress::kMovingSuffixes),
// after a listed stem as it is written, or without its final e or y (cube, cu·bic; bi·ol·o·gy, bi·o·log·i·cal).
DerivedForms::Form DerivedForms::byMovingSuffix(QStringView key, int, Context& c) const {
    for (const DerivedStress::MovingSuffix& moving : DerivedStress::kMovingSuffixes) {
        if (!endsWith(key, moving.suffix) || key.size() < moving.suffix.size() + kMinPart)
            continue;
        const QStringView base = key.chopped(moving.suffix.size());
        // -cian, -tial, -sious: the i joins the consonant before it into one syllable, which no stem shows
        if (moving.suffix.startsWith(u'i') && !base.isEmpty() && QStringView(u"cstx").contains(base.back()))
            continue;
        for (const QStringView dropped : {QStringView(), QStringView(u"e"), QStringView(u"y")}) {
            const QString candidate = base.toString() + dropped.toString();
            const Form stem = listedStem(candidate, c);
            if (stem.isEmpty() || Division::markedSyllables(stem.division) < 1)
                continue;
            QString division = stem.division.chopped(dropped.size()) + moving.divided.toString();
            if (division.contains(QString(2, Division::kMark)) || division.startsWith(Division::kMark))
                continue;
            const qsizetype stressed = moving.move == DerivedStress::Move::On ? base.size() : base.size() - 1;
            QString stress = c.withStress ? DerivedStress::moved(stem.stress, division, stressed) : QString();
            c.movedStress = true; // the estimator must divide it alike
            return {std::move(division), std::move(stress)};
        }
    }
    return {};
}

// some·one, air·port, court·room: two listed words, the first as long as it can be.
DerivedForms::Form DerivedForms::byCompound(QStringView key, int depth, Context& c) const {
    // 1. Every cut into a listed word and a listed word or a form of one, the longest first word first.
    const bool judged = m_estimator && m_estimator->isLoaded();
    QVarLengthArray<Form, 4> cuts;
    for (qsizetype cut = key.size() - kMinPart; cut >= kMinPart && c.lookupsLeft-- > 0; --cut) {
        const Form first = listedStem(key.left(cut), c);
        if (first.isEmpty())
            continue;
        // The second word is listed or a listed word with a suffix: compounds of compounds are not guessed.
        const Form second = resolve(key.mid(cut), std::min(depth - 1, 1), c);
        if (second.isEmpty())
            continue;
        QString division = first.division + u'*' + second.division;
        QString stress;
        if (c.withStress) {
            const QString model = m_stressEstimator ? m_stressEstimator->stress(division) : QString();
            stress = DerivedStress::compounded(first.stress, second.stress, key.left(cut), model);
        }
        cuts.append({std::move(division), std::move(stress)});
        if (!judged)
            break;
    }
    if (cuts.isEmpty())
        return {};
    c.compounded = true;
    // 2. Of several (there are several only with an estimator), the one it doubts least, when it doubts the first
    //    by more than its allowance.
    if (cuts.size() == 1)
        return cuts[0];
    const int firstDoubt = m_estimator->doubt(cuts[0].division);
    qsizetype best = 0;
    int bestDoubt = firstDoubt - kCompoundDoubt;
    for (qsizetype i = 1; i < cuts.size(); ++i) {
        if (const int doubt = m_estimator->doubt(cuts[i].division); doubt < bestDoubt) {
            best = i;
            bestDoubt = doubt;
        }
    }
    return cuts[best];
}
