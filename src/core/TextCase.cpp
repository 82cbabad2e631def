// SPDX-License-Identifier: MIT
#include "TextCase.h"

#include <QList>

namespace {

template <typename Map> QString mapEachCharacter(QStringView text, Map map)
{
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const char32_t mapped = map(c);
        if (QChar::requiresSurrogates(mapped)) {
            out += QChar(QChar::highSurrogate(mapped));
            out += QChar(QChar::lowSurrogate(mapped));
        } else {
            out += QChar(char16_t(mapped));
        }
    }
    return out;
}

} // namespace

QString upper_case(QStringView text)
{
    return mapEachCharacter(text, [](char32_t c) { return QChar::toUpper(c); });
}

QString lower_case(QStringView text)
{
    return mapEachCharacter(text, [](char32_t c) { return QChar::toLower(c); });
}

QString trim_blanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') {
        ++begin;
    }
    while (end > begin && text[end - 1] == u' ') {
        --end;
    }
    return text.sliced(begin, end - begin).toString();
}
