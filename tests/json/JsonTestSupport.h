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

// Parses UTF-16 text and returns the compact serialization or the error.
inline QString outcome(const QString &text, bool decimalMode = false)
{
    try {
        JsonBag bag;
        bag.setDecimalMode(decimalMode);
        bag.setJSON(toU16(text));
        return toQ(bag.JSON());
    } catch (const JsonError &e) {
        return errorText(e);
    }
}

// The same through the UTF-8 entry point; positions must not change.
inline QString outcomeUtf8(const QString &text, bool decimalMode = false)
{
    try {
        JsonBag bag;
        bag.setDecimalMode(decimalMode);
        bag.setJSONUtf8(text.toStdString());
        return QString::fromStdString(bag.JSONUtf8());
    } catch (const JsonError &e) {
        return errorText(e);
    }
}

} // namespace JsonTestSupport
