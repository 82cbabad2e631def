// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// What shows the display text on the desktop. The poll cycle and the only-changes
// timer talk to the overlay only through this.
class TextDisplay
{
public:
    virtual ~TextDisplay() = default;

    // Shows text; "" blanks the display.
    virtual void set_Print_Text(const QString &text) = 0;
    // The text currently shown.
    virtual QString get_text() const = 0;
    // Makes the display visible without blocking (end of start-up).
    virtual void show() = 0;
};
