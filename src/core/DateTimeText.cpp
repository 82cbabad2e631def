// SPDX-License-Identifier: MIT
#include "DateTimeText.h"

DateTimeText::DateTimeText(const QLocale &locale)
    : m_locale(locale), m_dateFormat(locale.dateFormat(QLocale::ShortFormat))
{
    if (!m_dateFormat.contains(QLatin1StringView("yyyy"))) {
        m_dateFormat.replace(QLatin1StringView("yy"), QLatin1StringView("yyyy"));
    }
}
