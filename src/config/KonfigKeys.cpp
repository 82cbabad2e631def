// SPDX-License-Identifier: MIT
#include "KonfigKeys.h"

#include "IniFile.h"
#include "NumberText.h"
#include "TextCase.h"

#include <QtDebug>

#include <algorithm>
#include <array>
#include <optional>

namespace KonfigKeys {
namespace {

using S = KonfigSettings;
using L = QLatin1StringView;

const std::array<Key, 16> kKeys = {{
    {L("stations"), L(""), Conversion::StationList, &S::stations},
    {L("BackgroundColor"), L("2131691"), Conversion::TrimmedText, &S::BackgroundColor},
    {L("OutlineColor"), L("0"), Conversion::TrimmedText, &S::OutlineColor},
    {L("Opaque"), L("225"), Conversion::StrictTrimmed, &S::Opaque},
    {L("UpdateInterval"), L("3"), Conversion::Interval, &S::UpdateInterval},
    {L("Text_Ouline"), L("1"), Conversion::BooleanTrimmed, &S::Text_Ouline},
    {L("Text_Shadow"), L("1"), Conversion::BooleanTrimmed, &S::Text_Shadow},
    {L("Text_Size"), L("18"), Conversion::StrictRaw, &S::Text_Size},
    {L("autostart"), L("0"), Conversion::StrictTrimmed, &S::autostart},
    {L("only_changes"), L("0"), Conversion::BooleanRaw, &S::only_changes},
    {L("changes_visible_in_seconds"), L("10"), Conversion::Leading, &S::changes_visible_in_seconds},
    {L("write_title2file"), L("0"), Conversion::LeadingNonZero, &S::write_title2file},
    {L("window_pos_x"), L("0"), Conversion::Leading, &S::window_pos_x},
    {L("window_pos_y"), L("0"), Conversion::Leading, &S::window_pos_y},
    {L("horizontal"), L("0"), Conversion::StrictRaw, &S::horizontal},
    {L("api_host"), L(""), Conversion::TrimmedText, &S::api_host},
}};

// A text or a number, before it is fitted into its field.
using Converted = std::variant<QString, double, bool>;

std::optional<Converted> convert(Conversion conversion, const QString &text, const QLocale &locale)
{
    switch (conversion) {
    case Conversion::StationList:
        return lower_case(trim_blanks(text));
    case Conversion::TrimmedText:
        return text.trimmed();
    case Conversion::StrictTrimmed:
    case Conversion::StrictRaw:
        // The locale conversion tolerates surrounding blanks either way.
        if (auto n = NumberText::strictNumber(text, locale)) {
            return *n;
        }
        return std::nullopt;
    case Conversion::Interval: {
        const auto n = NumberText::strictNumber(text, locale);
        if (!n || !NumberText::toInt16(*n)) {
            return std::nullopt;
        }
        const double minutes = NumberText::roundHalfEven(*n);
        return minutes < 0 ? 3.0 : std::min<double>(minutes, kMaxUpdateInterval);
    }
    case Conversion::BooleanTrimmed:
    case Conversion::BooleanRaw:
        if (auto b = NumberText::toBoolean(text, locale)) {
            return *b;
        }
        return std::nullopt;
    case Conversion::Leading:
        return NumberText::leadingNumber(text);
    case Conversion::LeadingNonZero:
        return NumberText::roundHalfEven(NumberText::leadingNumber(text)) != 0;
    }
    return std::nullopt;
}

// The part of a cut station list that is still whole names. A name the cut went
// through ("ok-162" cut to "ok-1") may be another real station, so it goes; the name
// before the cut stays when the cut fell on the separator after it.
QString withoutCutName(const QString &whole, qsizetype kept)
{
    const bool cutAtSeparator = QStringView(whole).sliced(kept).trimmed().startsWith(u';');
    const qsizetype end =
        cutAtSeparator ? kept : std::max<qsizetype>(0, whole.lastIndexOf(u';', kept - 1));
    QStringView dropped = QStringView(whole).sliced(end).trimmed();
    if (dropped.startsWith(u';')) {
        dropped = dropped.sliced(1);
    }
    const QString firstDropped = dropped.toString().section(u';', 0, 0).trimmed();
    qWarning("The stations value is longer than %d characters; \"%s\" and the stations after "
             "it are not polled",
             IniDocument::kMaxValueLength, qPrintable(firstDropped));
    return whole.first(end);
}

// Stores value into field; false when it does not fit.
bool store(const Field &field, const Converted &value, KonfigSettings &settings)
{
    struct Visitor
    {
        const Converted &value;
        KonfigSettings &s;
        bool operator()(QString S::*f) const
        {
            s.*f = std::get<QString>(value);
            return true;
        }
        bool operator()(bool S::*f) const
        {
            s.*f = std::get<bool>(value);
            return true;
        }
        bool operator()(qint16 S::*f) const
        {
            const auto n = NumberText::toInt16(std::get<double>(value));
            if (n) {
                s.*f = *n;
            }
            return n.has_value();
        }
        bool operator()(qint32 S::*f) const
        {
            const auto n = NumberText::toInt32(std::get<double>(value));
            if (n) {
                s.*f = *n;
            }
            return n.has_value();
        }
    };
    return std::visit(Visitor{value, settings}, field);
}

} // namespace

std::span<const Key> all()
{
    return kKeys;
}

QLatin1StringView nameOf(const Field &field)
{
    const auto key = std::ranges::find(kKeys, field, &Key::field);
    Q_ASSERT(key != kKeys.end());
    return key->name;
}

void apply(const Key &key, const QString &text, KonfigSettings &settings, const QLocale &locale)
{
    const auto value = convert(key.conversion, text, locale);
    if (value && store(key.field, *value, settings)) {
        return;
    }
    const auto fallback = convert(key.conversion, key.defaultText, QLocale::c());
    Q_ASSERT(fallback);
    store(key.field, *fallback, settings);
}

void readFile(KonfigSettings &settings, const QLocale &locale)
{
    // One read of the file for all keys.
    const IniFile::Contents contents = IniFile::read(settings.ini_path);
    if (!contents.problem.isEmpty()) {
        qWarning("Cannot read INI file %s: %s; using the defaults", qPrintable(settings.ini_path),
                 qPrintable(contents.problem));
    }
    settings.iniProblem = contents.germanProblem;
    const std::optional<IniDocument> &doc = contents.document;
    for (const Key &key : kKeys) {
        const auto whole =
            doc ? doc->wholeValue(QString(kSection), QString(key.name)) : std::nullopt;
        if (!whole) {
            apply(key, key.defaultText, settings, locale);
            continue;
        }
        const qsizetype kept = IniDocument::keptLength(*whole);
        if (kept < whole->size() && key.conversion == Conversion::StationList) {
            apply(key, withoutCutName(*whole, kept), settings, locale);
        } else {
            apply(key, whole->first(kept), settings, locale);
        }
    }
}

} // namespace KonfigKeys
