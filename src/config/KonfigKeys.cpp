// SPDX-License-Identifier: MIT
#include "KonfigKeys.h"

#include "IniFile.h"
#include "NumberText.h"

#include <array>
#include <optional>

namespace KonfigKeys {
namespace {

using S = KonfigSettings;
using L = QLatin1StringView;

const std::array<Key, 16> kKeys = {{
    {L("stations"), L(""), Conversion::TrimmedLowerText, &S::stations},
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
    case Conversion::TrimmedLowerText:
        return text.trimmed().toLower();
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

void readAll(const Lookup &lookup, KonfigSettings &settings, const QLocale &locale)
{
    for (const Key &key : kKeys) {
        apply(key, lookup(key.name, key.defaultText), settings, locale);
    }
}

void readFile(KonfigSettings &settings, const QLocale &locale)
{
    // One read of the file for all keys; each lookup behaves as GetIniString would.
    const auto doc = IniFile::load(settings.ini_path);
    readAll(
        [&doc](QLatin1StringView key, QLatin1StringView def) {
            return doc ? doc->value(QString(kSection), QString(key)).value_or(QString(def))
                       : QString(def);
        },
        settings, locale);
}

} // namespace KonfigKeys
