// SPDX-License-Identifier: MIT
#include "SongCatalogue.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

const QStringList kAdjectives = {
    u"Wilde"_s, u"Goldene"_s, u"Stille"_s,    u"Blaue"_s, u"Letzte"_s, u"Schöne"_s,
    u"Kalte"_s, u"Helle"_s,   u"Verlorene"_s, u"Süße"_s,  u"Ferne"_s,  u"Grüne"_s,
};
const QStringList kNouns = {
    u"Herzen"_s, u"Nächte"_s, u"Träume"_s,  u"Lichter"_s, u"Wellen"_s, u"Straßen"_s,
    u"Sterne"_s, u"Wolken"_s, u"Stunden"_s, u"Zeiten"_s,  u"Wälder"_s, u"Brücken"_s,
};
const QStringList kPlaces = {
    u"Berlin"_s,  u"Köln"_s,   u"Hamburg"_s, u"Leipzig"_s,  u"München"_s, u"Bremen"_s,
    u"Dresden"_s, u"Lübeck"_s, u"Mainz"_s,   u"Nürnberg"_s, u"Kiel"_s,    u"Rostock"_s,
};
const QStringList kTimes = {
    u"Sommer"_s, u"Winter"_s, u"Sonntag"_s, u"Abend"_s, u"Herbst"_s, u"Frühling"_s,
};
const QStringList kFirstNames = {
    u"Anna"_s,   u"Jonas"_s, u"Lena"_s, u"Felix"_s,  u"Marie"_s, u"Lukas"_s,
    u"Sophie"_s, u"Paul"_s,  u"Jana"_s, u"Tobias"_s, u"Clara"_s, u"Moritz"_s,
};
const QStringList kLastNames = {
    u"Bergmann"_s, u"Krüger"_s, u"Vogel"_s,  u"Hoffmann"_s, u"Schäfer"_s, u"Lang"_s,
    u"Brandt"_s,   u"Möller"_s, u"Seidel"_s, u"Winter"_s,   u"Fuchs"_s,   u"Kästner"_s,
};

// "zwischen den Nächten": the dative plural adds an n unless the word has one already.
QString dativePlural(const QString &noun)
{
    return noun.endsWith(u'n') ? noun : noun + u'n';
}

} // namespace

SongCatalogue::SongCatalogue(quint32 seed) : m_random(seed) {}

SongCatalogue::Song SongCatalogue::next()
{
    return {title(), artist(), album()};
}

QString SongCatalogue::pick(const QStringList &words)
{
    return words.at(m_random.bounded(static_cast<int>(words.size())));
}

QString SongCatalogue::title()
{
    switch (m_random.bounded(4)) {
    case 0:
        return pick(kAdjectives) + u' ' + pick(kNouns);
    case 1:
        return pick(kTimes) + u" in "_s + pick(kPlaces);
    case 2:
        return u"Zwischen den "_s + dativePlural(pick(kNouns));
    default:
        return pick(kNouns) + u" über "_s + pick(kPlaces);
    }
}

QString SongCatalogue::artist()
{
    switch (m_random.bounded(3)) {
    case 0:
        return u"Die "_s + pick(kAdjectives) + u"n "_s + pick(kNouns);
    case 1:
        return pick(kFirstNames) + u" & die "_s + pick(kNouns);
    default:
        return pick(kFirstNames) + u' ' + pick(kLastNames);
    }
}

QString SongCatalogue::album()
{
    switch (m_random.bounded(3)) {
    case 0:
        return pick(kNouns) + u" und "_s + pick(kNouns);
    case 1:
        return u"Live in "_s + pick(kPlaces);
    default:
        return u"Lieder vom "_s + pick(kTimes);
    }
}
