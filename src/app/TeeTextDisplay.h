// SPDX-License-Identifier: MIT
#pragma once

#include "TextDisplay.h"

// Hands every display call to a primary display and, when there is one, to a
// second (the overlay and, with --console, standard output). The text read back is
// the primary's. A second that is the primary itself is left out, so no display
// gets a call twice.
class TeeTextDisplay final : public TextDisplay
{
public:
    explicit TeeTextDisplay(TextDisplay &primary, TextDisplay *second = nullptr)
        : m_primary(&primary), m_second(second)
    {
    }

    // The overlay needs what frmMain owns, and frmMain needs a display: the overlay
    // takes the primary's place once both exist, before anything is shown.
    void setPrimary(TextDisplay &primary) { m_primary = &primary; }

    void set_Print_Text(const QString &text) override;
    QString get_text() const override { return m_primary->get_text(); }
    void show() override;

private:
    TextDisplay *second() const { return m_second == m_primary ? nullptr : m_second; }

    TextDisplay *m_primary;
    TextDisplay *m_second;
};
