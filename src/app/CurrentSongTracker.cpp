// SPDX-License-Identifier: MIT
#include "CurrentSongTracker.h"

#include "Clock.h"
#include "Cp1252.h"
#include "JsonBag.h"
#include "NumberText.h"
#include "TitleFile.h"

#include <QDir>
#include <QStringDecoder>
#include <QtDebug>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Shorter answers are failed downloads or error stubs, never a song.
constexpr qsizetype kShortestDocument = 10;

QString fromJson(const std::u16string &text)
{
    return QString::fromStdU16String(text);
}

// Whole numbers in plain digits, however large (the shortest form would write 1000000
// as 1e+06 and 1e20 as 1e+20).
QString numberText(double value)
{
    if (value == 0) {
        return u"0"_s; // also -0
    }
    if (std::isfinite(value) && std::trunc(value) == value) {
        return QString::number(value, 'f', 0);
    }
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// The listener count as the answer gives it: when it leads with a whole number, that
// number's own digits, so a count beyond a double's 53 bits is not rounded ("0057" gives
// 57); otherwise the numeric value. Blanks are skipped as leadingNumber skips them.
QString countText(QStringView answer)
{
    qsizetype i = 0;
    while (i < answer.size() && isBlank(answer[i])) {
        ++i;
    }
    bool negative = false;
    if (i < answer.size() && (answer[i] == u'-' || answer[i] == u'+')) {
        negative = answer[i] == u'-';
        ++i;
    }
    QString digits;
    bool anyDigit = false;
    for (; i < answer.size(); ++i) {
        const QChar c = answer[i];
        if (c.unicode() >= u'0' && c.unicode() <= u'9') {
            anyDigit = true;
            if (!digits.isEmpty() || c != u'0') {
                digits += c;
            }
        } else if (!isBlank(c)) {
            break;
        }
    }
    if (!anyDigit || (i < answer.size() && QStringView(u".eEdD").contains(answer[i]))) {
        return numberText(NumberText::leadingNumber(answer));
    }
    if (digits.isEmpty()) {
        return u"0"_s;
    }
    return negative ? u'-' + digits : digits;
}

// Characters that would let a field do more than show text: C0 and C1 controls and
// DEL (a NUL ends the line for a reader of C strings, ESC starts a terminal sequence,
// CR and LF a second, made-up entry) and the bidi controls that reorder what a reader
// shows.
bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// A text or a number as the line shows it; null as nothing; nullopt for the rest.
std::optional<QString> fieldText(const JsonBag &bag, std::u16string_view key)
{
    if (!bag.Exists(key)) {
        return std::nullopt;
    }
    const JsonValue value = bag.Item(key);
    if (value.isString()) {
        QString text = fromJson(value.toString());
        for (QChar &c : text) {
            if (isControl(c.unicode())) {
                c = u' ';
            }
        }
        return text;
    }
    if (value.isNumber()) {
        return numberText(value.toDouble());
    }
    if (value.isNull()) {
        return QString();
    }
    return std::nullopt;
}

// The id by its leading digits: 0 when it has none or does not fit 32 bits.
qint32 songId(const JsonValue &id)
{
    const QString text = id.isString()   ? fromJson(id.toString())
                         : id.isNumber() ? numberText(id.toDouble())
                                         : QString();
    return NumberText::toInt32(NumberText::leadingNumber(text)).value_or(0);
}

void warn(const QString &station, const QString &why)
{
    qWarning("No title line for %s: %s", qPrintable(station), qPrintable(why));
}

} // namespace

CurrentSongTracker::CurrentSongTracker(const QString &programDir, const Clock &clock,
                                       const QLocale &locale)
    : m_programDir(programDir), m_clock(clock), m_text(locale)
{
}

QString CurrentSongTracker::decode(const QByteArray &document)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(document);
    return utf8.hasError() ? Cp1252::decode(document) : text;
}

qint32 CurrentSongTracker::get_current_song(const QString &station, qint32 lastSongId,
                                            const QString &answer, const QByteArray &document)
{
    const QString text = decode(document);
    if (text.size() < kShortestDocument) {
        return 0;
    }
    JsonBag bag;
    try {
        bag.setJSON(std::u16string_view(QStringView(text).utf16(), size_t(text.size())));
    } catch (const JsonError &error) {
        warn(station, u"the current song is no JSON document: "_s +
                          QString::fromStdString(error.description()));
        return 0;
    }
    if (!bag.Exists(u"id")) {
        warn(station, u"the current song has no \"id\""_s);
        return 0;
    }
    const qint32 id = songId(bag.Item(u"id"));
    if (id == lastSongId || id <= 0) {
        return id;
    }
    const std::optional<QByteArray> entry = line(station, id, bag, answer);
    if (!entry) {
        return 0;
    }
    const QString path = QDir(m_programDir).filePath(TitleFile::fileName(station));
    if (const QString error = TitleFile::append(path, *entry); !error.isEmpty()) {
        warn(station, QDir::toNativeSeparators(path) + u": "_s + error);
        return 0;
    }
    return id;
}

std::optional<QByteArray> CurrentSongTracker::line(const QString &station, qint32 id,
                                                   const JsonBag &bag, const QString &answer) const
{
    const std::optional<QString> title = fieldText(bag, u"title");
    const std::optional<QString> album = fieldText(bag, u"album");
    std::optional<QString> artist;
    if (bag.Exists(u"artist") && bag.Item(u"artist").isBag()) {
        artist = fieldText(bag.Item(u"artist").toBag(), u"name");
    }
    if (!title || !artist || !album) {
        warn(station, u"the current song lacks \"title\", \"artist\" with \"name\" or \"album\""_s);
        return std::nullopt;
    }
    const QDateTime now = m_clock.now();
    const QString text = u'"' + m_text.date(now.date()) + u"\",\""_s + m_text.time(now.time()) +
                         u"\","_s + QString::number(id) + u",\""_s + *title + u"\",\""_s + *artist +
                         u"\",\""_s + *album + u"\","_s + countText(answer) + u"\r\n"_s;
    return text.toUtf8();
}
