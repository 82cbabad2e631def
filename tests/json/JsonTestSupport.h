// SPDX-License-Identifier: MIT
#pragma once

#include "JsonBag.h"

#include <QString>

// Conversions between the bag's UTF-16 text and QString, and a one-line
// summary of a parse ("serialized text" or "Error N: description") so that
// tables can state the expected outcome of either kind in one column.
namespace JsonTestSupport {

inline std::u16string toU16(const QString &text)
{
    return text.toStdU16String();
}

inline QString toQ(const std::u16string &text)
{
    return QString::fromStdU16String(text);
}

inline QString errorText(const JsonError &e)
{
    return QStringLiteral("Error %1: %2").arg(e.number()).arg(QString::fromUtf8(e.what()));
}

// Parses text through the UTF-16 and the UTF-8 entry points and returns the
// compact serialization or the error. Both must agree, positions included;
// where they do not, the result shows both.
inline QString outcome(const QString &text, bool decimalMode = false)
{
    const auto parse = [&](bool utf8) {
        try {
            JsonBag bag;
            bag.setDecimalMode(decimalMode);
            if (utf8) {
                bag.setJSONUtf8(text.toStdString());
                return QString::fromStdString(bag.JSONUtf8());
            }
            bag.setJSON(toU16(text));
            return toQ(bag.JSON());
        } catch (const JsonError &e) {
            return errorText(e);
        }
    };
    const QString viaUtf16 = parse(false);
    const QString viaUtf8 = parse(true);
    return viaUtf8 == viaUtf16 ? viaUtf16 : viaUtf16 + QStringLiteral(" | UTF-8: ") + viaUtf8;
}

} // namespace JsonTestSupport
