// SPDX-License-Identifier: MIT
#pragma once

#include "TextDisplay.h"

#include <QString>
#include <QTime>

class Clock;

// Writes every new display text to standard output, one block per text:
// "[HH:mm:ss] " and the text, its further lines indented. The display of --console
// and of a program that runs without its overlay window.
class ConsoleTextDisplay final : public TextDisplay
{
public:
    explicit ConsoleTextDisplay(const Clock &clock) : m_clock(clock) {}

    void set_Print_Text(const QString &text) override;
    QString get_text() const override { return m_text; }
    void show() override {}

    // The block printed for text at time, ending in a line feed. The blanked
    // display reads "(leer)".
    static QString block(const QTime &time, const QString &text);
    // text made safe for a terminal: the CR LF between lines becomes a line break
    // plus indent; every other control character (C0, DEL, C1) is shown as \xNN, so
    // an answer from the server cannot drive the terminal.
    static QString printable(const QString &text);

private:
    const Clock &m_clock;
    QString m_text;
};
