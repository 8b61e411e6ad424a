// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// The stress of a derived form, made from the stress of the words it is made of (a character a syllable: '1'
// primary, '2' secondary, '0' none, as Lexicon::Homograph::stress; empty when unknown, and then every result is).
// English keeps a stem's stress through most suffixes and moves it for a few; the suffixes that move it are in one
// table (kMovingSuffixes), with where the primary stress goes.
namespace DerivedStress {

// Where a suffix puts the primary stress of its word.
enum class Move {
    Before, // on the syllable before it: -ic, -ical, -ity, -tion, -sion, -ian, -ial, -ious (pho·to·ˈgraph·ic)
    On,     // on the suffix: -ee, -eer, -ese, -ette (em·ploy·ˈee)
};

struct MovingSuffix {
    QStringView suffix;  // as written at the end of the word
    QStringView divided; // as it is divided there, with the boundary before it ("*ic", "*i*ty")
    Move move;
};
// The suffixes that move the stress, in the order they are tried (longer first where one ends another).
inline constexpr MovingSuffix kMovingSuffixes[] = {
    {u"ical", u"*i*cal", Move::Before}, {u"ity", u"*i*ty", Move::Before},   {u"ic", u"*ic", Move::Before},
    {u"tion", u"*tion", Move::Before},  {u"sion", u"*sion", Move::Before},  {u"ian", u"*i*an", Move::Before},
    {u"ial", u"*i*al", Move::Before},   {u"ious", u"*i*ous", Move::Before}, {u"eer", u"*eer", Move::On},
    {u"ee", u"*ee", Move::On},          {u"ese", u"*ese", Move::On},        {u"ette", u"*ette", Move::On},
};

// A stem's stress as given, or "1" for a stem of one syllable the dictionary leaves unmarked.
QString ofStem(QStringView stress, QStringView division);

// A suffix that leaves the stress alone (-s, -ed, -ing, -ly, -ness, -er, -able, 's, n't ...): the stem's syllables
// keep theirs and added ones have none; a stem syllable the form merges away (han·dle, han·dling) takes its own along,
// and a primary it took is put on the last syllable left.
QString kept(QStringView stemStress, QStringView division);

// A suffix that moves the stress: the stem's primary becomes secondary, and the syllable holding letter number
// `letter` of the division (marks not counted) takes the primary.
QString moved(QStringView stemStress, QStringView division, qsizetype letter);

// un-, re-: a secondary stress before the stem's own.
QString prefixed(QStringView stemStress);

// A closed compound: one word keeps its primary stress and the other's becomes secondary. A first word of one
// syllable keeps it (ˈhand·ˌshake, ˈfore·ˌfront), unless it is one of the Latin prefixes that give it up
// (ˌdis·ap·ˈpear, con·ˈdi·tion); after a longer first word the stress model's guess for the whole (model, empty without
// a model) says which word has it (ˌan·ti·bac·ˈte·ri·al, but ˈi·ron·ˌweed). firstLetters is the first word as the key
// writes it.
QString compounded(QStringView first, QStringView second, QStringView firstLetters, QStringView model);

} // namespace DerivedStress
