// SPDX-License-Identifier: MIT
#pragma once

#include "TextDisplay.h"

// Writes every new display text to standard output: the display of a program that
// runs without its overlay window (headless runs, the demo without a desktop).
class ConsoleTextDisplay final : public TextDisplay
{
public:
    void set_Print_Text(const QString &text) override;
    QString get_text() const override { return m_text; }
    void show() override {}

private:
    QString m_text;
};
