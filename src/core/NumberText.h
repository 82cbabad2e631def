// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// The conversions from hand-editable text to numbers that the configuration and the
// poll cycle share. Halves go to the even neighbour, so 1500.5 and 1499.5 both become
// 1500 and settings files written long ago read as they always have.
namespace NumberText {

double roundHalfEven(double value);

// The whole text (surrounding blanks allowed) as a number in the given locale's
// format or in the C format ("." as decimal point); nullopt when it is neither.
std::optional<double> strictNumber(QStringView text, const QLocale &locale = QLocale());

// The longest prefix that forms a number, blanks between its characters skipped,
// "." always the decimal point, an optional exponent; 0 when there is none.
double leadingNumber(QStringView text);

// A number (non-zero is true) or the words True and False in any letter case.
std::optional<bool> toBoolean(QStringView text, const QLocale &locale = QLocale());

// value rounded half to even, or nullopt when the result does not fit the type.
std::optional<qint16> toInt16(double value);
std::optional<qint32> toInt32(double value);

} // namespace NumberText
