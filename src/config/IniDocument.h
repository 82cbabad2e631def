// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// An INI file held as its lines, for reading values and changing one value while
// leaving every other line, comment, blank line and line end exactly as it was.
//
// Reading follows the rules users know from Windows: section and key names match
// without regard to case and surrounding blanks, the first of duplicate keys and
// the first of repeated sections win, a ';' line is a comment, and a value loses
// its surrounding blanks and one pair of enclosing quotes. A value is cut to
// kMaxValueLength characters, as Windows programs reading with a 1024-character
// buffer see it.
class IniDocument
{
public:
    // A new, empty document: UTF-8 without BOM and CRLF line ends.
    IniDocument() = default;

    // UTF-16 when the bytes start with its byte-order mark (FF FE little-endian, FE FF
    // big-endian), as Notepad saves "Unicode"; otherwise UTF-8 when the bytes after an
    // optional UTF-8 BOM are valid UTF-8, Windows-1252 when they are not.
    static IniDocument fromBytes(const QByteArray &bytes);
    // Written in the encoding and with the byte-order mark the document was read with;
    // a value that Windows-1252 cannot hold switches the document to UTF-8 so that
    // nothing is lost.
    QByteArray toBytes() const;

    // The value of key in section, cut to kMaxValueLength characters, or nullopt when
    // the section or key is absent.
    std::optional<QString> value(QStringView section, QStringView key) const;
    // The same value before the cut.
    std::optional<QString> wholeValue(QStringView section, QStringView key) const;
    void setValue(QStringView section, QStringView key, QStringView value);

    static constexpr int kMaxValueLength = 1023;
    // How many leading characters of a whole value the cut keeps: kMaxValueLength, or
    // one fewer where the cut would separate the two halves of a character.
    static qsizetype keptLength(QStringView wholeValue);

private:
    enum class Encoding
    {
        Utf8,
        Cp1252,
        Utf16LE,
        Utf16BE,
    };

    struct Line
    {
        QString text;
        QString end; // "\r\n", "\n", "\r" or "" for a last line without a line end
    };

    struct KeyLine
    {
        qsizetype index = -1;
        QStringView key;
    };

    // Index of the first header line of section, or -1.
    qsizetype findSection(QStringView section) const;
    // Index of the line after the section's last line.
    qsizetype sectionEnd(qsizetype header) const;
    KeyLine findKey(qsizetype header, QStringView key) const;
    void insertLine(qsizetype at, const QString &text);
    QString newLineEnd() const;

    std::vector<Line> m_lines;
    Encoding m_encoding = Encoding::Utf8;
    bool m_utf8Bom = false;
    QString m_lineEnd; // the file's first line end; empty for a file without one
};
