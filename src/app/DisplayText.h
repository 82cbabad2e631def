// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The texts of the poll cycle: how an answer, a change and the whole display read.
namespace DisplayText {

inline constexpr char16_t kNoStations[] = u"keine Stationen hinterlegt.";

// A numeric answer with at least four digits (57 -> 0057, -2 -> -0002); any other
// text, "" included, unchanged.
QString format0000(const QString &answer);

// The count an answer stands for: its leading number (0 when none), rounded and
// kept within 32 bits.
qint32 answerCount(const QString &answer);

// " +0002" for a rise, "  -0004" (two blanks) for a fall.
QString changeMarker(qint64 difference);

// The tray tooltip of the countdown.
QString countdownText(qint64 remainingSeconds);

// Composes the display text entry by entry: "ALPHA : 0057", then "\r\nBETA: 0003"
// (one station per line) or " -- BETA: 0003" (side by side).
class Builder
{
public:
    explicit Builder(bool sideBySide) : m_sideBySide(sideBySide) {}

    void append(const QString &name, const QString &answer, const QString &marker = {});
    const QString &text() const { return m_text; }

private:
    QString m_text;
    bool m_sideBySide;
    bool m_first = true;
};

} // namespace DisplayText
