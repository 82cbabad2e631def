// SPDX-License-Identifier: MIT
#pragma once

#include "KonfigSettings.h"

#include <QLatin1StringView>
#include <QLocale>
#include <QString>

#include <span>
#include <variant>

// Every key of the configuration file, declared once: its name, its default when
// absent, how its text is converted and which field receives it, in reading order.
namespace KonfigKeys {

inline constexpr QLatin1StringView kSection{"Konfig"};
inline constexpr QLatin1StringView kFileName{"Mirkan_DesktopTool.ini"};

// Largest interval whose tick count (minutes * 60) still fits 16 bits.
inline constexpr qint16 kMaxUpdateInterval = 546;

enum class Conversion
{
    StationList, // trimmed, then lower-cased; a name the length cut went through is dropped
    TrimmedText,
    StrictTrimmed, // whole text as a number, of the trimmed text
    StrictRaw,     // whole text as a number, of the text as read
    Interval,      // StrictTrimmed, negative becomes 3, above 546 becomes 546
    BooleanTrimmed,
    BooleanRaw,
    Leading,        // leading number
    LeadingNonZero, // true when the leading number is not 0
};

using Field = std::variant<QString KonfigSettings::*, qint16 KonfigSettings::*,
                           qint32 KonfigSettings::*, bool KonfigSettings::*>;

struct Key
{
    QLatin1StringView name;
    QLatin1StringView defaultText;
    Conversion conversion;
    Field field;
};

// The fifteen keys the program reads and writes, in reading order, then api_host.
std::span<const Key> all();

// The INI name of the key that fills field.
QLatin1StringView nameOf(const Field &field);

// Converts text as key says and stores it; text that cannot be converted, or whose
// value does not fit the field, stores the key's default instead.
void apply(const Key &key, const QString &text, KonfigSettings &settings,
           const QLocale &locale = QLocale());

// Reads every key of the file at settings.ini_path (defaults for a missing file), in
// reading order, each as GetIniString gives it. A stations value longer than the
// reader's cut loses the name the cut went through, with a warning. Something unusable at
// the path gives the defaults, a warning and settings.iniProblem.
void readFile(KonfigSettings &settings, const QLocale &locale = QLocale());

} // namespace KonfigKeys
