// SPDX-License-Identifier: MIT
#include "TeeTextDisplay.h"

void TeeTextDisplay::set_Print_Text(const QString &text)
{
    // The second first: a window may let events run while it draws, and a text set
    // from inside them must not reach the second before the one that came first.
    if (TextDisplay *other = second()) {
        other->set_Print_Text(text);
    }
    m_primary->set_Print_Text(text);
}

void TeeTextDisplay::show()
{
    m_primary->show();
    if (TextDisplay *other = second()) {
        other->show();
    }
}
