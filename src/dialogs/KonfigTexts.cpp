// SPDX-License-Identifier: MIT
#include "KonfigTexts.h"

using namespace Qt::StringLiterals;

namespace KonfigTexts {

namespace {

constexpr char16_t kWrongInput[] = u"Falsche Eingabe der oder des Stationsnamens!";
constexpr char16_t kExample[] = u"Beipsiel: eins";
// Message boxes break lines the Windows way.
constexpr char16_t kBreak[] = u"\r\n";

QString withoutMessage(const QString &what)
{
    return QString::fromUtf16(kWrongInput) + QString::fromUtf16(kBreak) +
           u"Bitte nur den Stationsnamen ohne '"_s + what + u"' eintragen."_s +
           QString::fromUtf16(kBreak) + QString::fromUtf16(kExample);
}

} // namespace

QString intervalText(int minutes)
{
    if (minutes == 1) {
        return u"einmal pro Minute"_s;
    }
    return u"aller "_s + QString::number(minutes) + u" Minuten"_s;
}

QString secondsText(int seconds)
{
    return QString::number(seconds) + (seconds == 1 ? u" Sekunde"_s : u" Sekunden"_s);
}

QString stationListProblem(const QString &stations, const QString &domain)
{
    if (stations.contains(u',')) {
        return QString::fromUtf16(kWrongInput) + QString::fromUtf16(kBreak) +
               u"Für mehrere Stationen bitte ein ; verwenden "_s;
    }
    if (stations.contains(u"http"_s)) {
        return withoutMessage(u"http"_s);
    }
    if (!domain.isEmpty() && stations.contains(domain)) {
        return withoutMessage(domain);
    }
    if (stations.contains(u".live"_s)) {
        return withoutMessage(u".live"_s);
    }
    return {};
}

QString notSavedMessage(const QString &reason)
{
    return u"Die Einstellungen konnten nicht gespeichert werden: "_s + reason;
}

QString unreadableAtLoad(const QString &problem)
{
    return u"Die Datei konnte beim Start nicht gelesen werden. "_s + problem +
           u" Sie wird nicht ersetzt."_s;
}

QString unreadableLine(const QString &problem)
{
    return u"Die Einstellungsdatei konnte nicht gelesen werden. "_s + problem +
           u" Gezeigt werden die Standardwerte; Speichern ersetzt die Datei nicht."_s;
}

} // namespace KonfigTexts
