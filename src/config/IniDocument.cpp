// SPDX-License-Identifier: MIT
#include "IniDocument.h"

#include "Cp1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(s[end - 1])) {
        --end;
    }
    return s.sliced(begin, end - begin);
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The section name of a header line, or nullopt when the line is no header.
std::optional<QStringView> sectionName(QStringView line)
{
    const QStringView t = trimBlanks(line);
    if (!t.startsWith(u'[')) {
        return std::nullopt;
    }
    const QStringView inner = t.sliced(1);
    const qsizetype close = inner.indexOf(u']');
    return trimBlanks(close < 0 ? inner : inner.first(close));
}

bool isComment(QStringView line)
{
    return trimBlanks(line).startsWith(u';');
}

// Splits a key line at its first '='; nullopt for comments, headers and lines without '='.
std::optional<std::pair<QStringView, QStringView>> splitKeyLine(QStringView line)
{
    if (isComment(line) || sectionName(line)) {
        return std::nullopt;
    }
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) {
        return std::nullopt;
    }
    return std::pair{trimBlanks(line.first(eq)), line.sliced(eq + 1)};
}

QString cleanValue(QStringView raw)
{
    QStringView v = trimBlanks(raw);
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front()) {
        v = v.sliced(1, v.size() - 2);
    }
    return v.toString();
}

// A value must never split a line.
QString singleLine(QStringView value)
{
    QString s = value.toString();
    s.replace(u"\r\n"_s, u" "_s);
    s.replace(u'\r', u' ');
    s.replace(u'\n', u' ');
    return s;
}

} // namespace

IniDocument IniDocument::fromBytes(const QByteArray &bytes)
{
    IniDocument doc;
    QString text;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool little = bytes.startsWith("\xFF\xFE");
        doc.m_encoding = little ? Encoding::Utf16LE : Encoding::Utf16BE;
        // The mark is taken off here; a second one would be content and stays.
        QStringDecoder utf16(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                             QStringDecoder::Flag::Stateless |
                                 QStringDecoder::Flag::ConvertInitialBom);
        text = utf16.decode(bytes.sliced(2));
    } else {
        // The BOM goes first, so a file that has one but is not valid UTF-8 after it
        // still starts with its first section rather than with three odd characters.
        doc.m_utf8Bom = bytes.startsWith("\xEF\xBB\xBF");
        const QByteArray body = doc.m_utf8Bom ? bytes.sliced(3) : bytes;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8.decode(body);
        if (utf8.hasError()) {
            text = Cp1252::decode(body);
            doc.m_encoding = Encoding::Cp1252;
        }
    }

    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') {
            continue;
        }
        const qsizetype endLength = (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ? 2 : 1;
        doc.m_lines.push_back({text.sliced(start, i - start), text.sliced(i, endLength)});
        if (doc.m_lineEnd.isEmpty()) {
            doc.m_lineEnd = doc.m_lines.back().end;
        }
        i += endLength - 1;
        start = i + 1;
    }
    if (start < n) {
        doc.m_lines.push_back({text.sliced(start), QString()});
    }
    return doc;
}

QByteArray IniDocument::toBytes() const
{
    QString text;
    for (const Line &line : m_lines) {
        text += line.text;
        text += line.end;
    }
    switch (m_encoding) {
    case Encoding::Utf16LE:
        return "\xFF\xFE" + QByteArray(QStringEncoder(QStringEncoder::Utf16LE).encode(text));
    case Encoding::Utf16BE:
        return "\xFE\xFF" + QByteArray(QStringEncoder(QStringEncoder::Utf16BE).encode(text));
    case Encoding::Cp1252:
    case Encoding::Utf8:
        break;
    }
    QByteArray bytes = m_encoding == Encoding::Cp1252 && Cp1252::canEncode(text)
                           ? Cp1252::encode(text)
                           : QByteArray(QStringEncoder(QStringEncoder::Utf8).encode(text));
    if (m_utf8Bom) {
        bytes.prepend("\xEF\xBB\xBF");
    }
    return bytes;
}

qsizetype IniDocument::findSection(QStringView section) const
{
    const QStringView wanted = trimBlanks(section);
    for (qsizetype i = 0; i < qsizetype(m_lines.size()); ++i) {
        const auto name = sectionName(m_lines[i].text);
        if (name && sameName(*name, wanted)) {
            return i;
        }
    }
    return -1;
}

qsizetype IniDocument::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < qsizetype(m_lines.size()) && !sectionName(m_lines[i].text)) {
        ++i;
    }
    return i;
}

IniDocument::KeyLine IniDocument::findKey(qsizetype header, QStringView key) const
{
    const QStringView wanted = trimBlanks(key);
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto kv = splitKeyLine(m_lines[i].text);
        if (kv && sameName(kv->first, wanted)) {
            return {i, kv->first};
        }
    }
    return {};
}

std::optional<QString> IniDocument::wholeValue(QStringView section, QStringView key) const
{
    const qsizetype header = findSection(section);
    if (header < 0) {
        return std::nullopt;
    }
    const KeyLine found = findKey(header, key);
    if (found.index < 0) {
        return std::nullopt;
    }
    return cleanValue(splitKeyLine(m_lines[found.index].text)->second);
}

qsizetype IniDocument::keptLength(QStringView wholeValue)
{
    qsizetype length = std::min<qsizetype>(wholeValue.size(), kMaxValueLength);
    if (length < wholeValue.size() && length > 0 && wholeValue[length - 1].isHighSurrogate()) {
        --length;
    }
    return length;
}

std::optional<QString> IniDocument::value(QStringView section, QStringView key) const
{
    std::optional<QString> v = wholeValue(section, key);
    if (v) {
        v->truncate(keptLength(*v));
    }
    return v;
}

QString IniDocument::newLineEnd() const
{
    return m_lineEnd.isEmpty() ? u"\r\n"_s : m_lineEnd;
}

void IniDocument::insertLine(qsizetype at, const QString &text)
{
    if (at > 0 && m_lines[at - 1].end.isEmpty()) {
        m_lines[at - 1].end = newLineEnd();
    }
    m_lines.insert(m_lines.begin() + at, Line{text, newLineEnd()});
}

void IniDocument::setValue(QStringView section, QStringView key, QStringView value)
{
    const QString cleanKey = trimBlanks(key).toString();
    const QString line = cleanKey + u'=' + singleLine(value);
    qsizetype header = findSection(section);
    if (header < 0) {
        insertLine(qsizetype(m_lines.size()), u'[' + trimBlanks(section).toString() + u']');
        insertLine(qsizetype(m_lines.size()), line);
        return;
    }
    const KeyLine found = findKey(header, cleanKey);
    if (found.index >= 0) {
        m_lines[found.index].text = found.key.toString() + u'=' + singleLine(value);
        return;
    }
    // After the section's last key, so trailing blank lines and comments stay below it.
    qsizetype after = header;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (splitKeyLine(m_lines[i].text)) {
            after = i;
        }
    }
    insertLine(after + 1, line);
}
