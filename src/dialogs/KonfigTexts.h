// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The settings dialog's texts that depend on a value, apart from any window.
namespace KonfigTexts {

// The update interval's label: "einmal pro Minute" for 1, else "aller 3 Minuten".
QString intervalText(int minutes);

// The only-changes label: "1 Sekunde", "10 Sekunden".
QString secondsText(int seconds);

// Why the station list cannot be saved, or "" when it can. stations is already
// lower-cased and trimmed; domain is the platform's domain in lower case. The checks
// are plain substring tests, first hit wins.
QString stationListProblem(const QString &stations, const QString &domain);

// The message box of a save that did not happen, with why (a German sentence).
QString notSavedMessage(const QString &reason);

// Why Save refuses to replace a file that could not be read when the settings were
// loaded; problem is that reason.
QString unreadableAtLoad(const QString &problem);

// The window's warning line while the settings shown are defaults standing in for a
// file that could not be read.
QString unreadableLine(const QString &problem);

} // namespace KonfigTexts
