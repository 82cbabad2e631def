// SPDX-License-Identifier: MIT
#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

template <typename Int> std::optional<Int> toInt(double value)
{
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double r = NumberText::roundHalfEven(value);
    if (r < double(std::numeric_limits<Int>::min()) ||
        r > double(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(r);
}

// Appends the run of ASCII digits starting at i (blanks skipped) to out.
qsizetype takeDigits(QStringView text, qsizetype i, std::string &out)
{
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() >= u'0' && c.unicode() <= u'9') {
            out += char(c.unicode());
        } else if (!isBlank(c)) {
            break;
        }
    }
    return i;
}

// Roughly log10 of the number text "[sign]digits[.digits][e[sign]digits]": the
// position of its first significant digit relative to the point, plus the exponent.
long long decimalMagnitude(const std::string &number)
{
    const std::size_t e = number.find('e');
    const std::string mantissa = number.substr(0, e);
    long long exponent = 0;
    if (e != std::string::npos) {
        const char *first = number.data() + e + 1 + (number[e + 1] == '+' ? 1 : 0);
        const auto r = std::from_chars(first, number.data() + number.size(), exponent);
        if (r.ec == std::errc::result_out_of_range) {
            exponent = number[e + 1] == '-' ? -(1LL << 40) : (1LL << 40);
        }
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstDigit = mantissa.find_first_of("123456789");
    if (firstDigit == std::string::npos) {
        return std::numeric_limits<long long>::min() / 2;
    }
    const auto position = firstDigit < point ? static_cast<long long>(point - firstDigit)
                                             : -static_cast<long long>(firstDigit - point - 1);
    return position + exponent;
}

qsizetype skipBlanks(QStringView text, qsizetype i)
{
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    return i;
}

} // namespace

namespace NumberText {

double roundHalfEven(double value)
{
    // nearbyint honours the current rounding mode, which is round-to-nearest-even by default.
    return std::nearbyint(value);
}

std::optional<double> strictNumber(QStringView text, const QLocale &locale)
{
    const QString t = text.trimmed().toString();
    if (t.isEmpty()) {
        return std::nullopt;
    }
    bool ok = false;
    double value = locale.toDouble(t, &ok);
    if (!ok) {
        value = QLocale::c().toDouble(t, &ok);
    }
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double leadingNumber(QStringView text)
{
    std::string number;
    qsizetype i = skipBlanks(text, 0);
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        number += char(text[i].unicode());
        i = skipBlanks(text, i + 1);
    }
    i = takeDigits(text, i, number);
    if (i < text.size() && text[i] == u'.') {
        number += '.';
        i = takeDigits(text, i + 1, number);
    }
    if (number.find_first_of("0123456789") == std::string::npos) {
        return 0;
    }
    if (i < text.size() && QStringView(u"eEdD").contains(text[i])) {
        std::string exponent = "e";
        qsizetype j = skipBlanks(text, i + 1);
        if (j < text.size() && (text[j] == u'-' || text[j] == u'+')) {
            exponent += char(text[j].unicode());
            ++j;
        }
        const std::size_t before = exponent.size();
        takeDigits(text, j, exponent);
        if (exponent.size() > before) {
            number += exponent;
        }
    }
    const char *begin = number.data() + (number.front() == '+' ? 1 : 0);
    double value = 0;
    const auto result = std::from_chars(begin, number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large in magnitude, or so small that it is 0.
        const double size = decimalMagnitude(number) > 0 ? HUGE_VAL : 0.0;
        return number.front() == '-' ? -size : size;
    }
    return value;
}

std::optional<bool> toBoolean(QStringView text, const QLocale &locale)
{
    const QStringView t = text.trimmed();
    if (t.compare(u"true", Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (t.compare(u"false", Qt::CaseInsensitive) == 0) {
        return false;
    }
    const auto number = strictNumber(t, locale);
    if (!number) {
        return std::nullopt;
    }
    return *number != 0;
}

std::optional<qint16> toInt16(double value)
{
    return toInt<qint16>(value);
}

std::optional<qint32> toInt32(double value)
{
    return toInt<qint32>(value);
}

} // namespace NumberText
