// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Date and time as the program writes them for people (history, title files): the
// locale's short date with a four-digit year, as Windows shows it, and the time
// with seconds.
class DateTimeText
{
public:
    explicit DateTimeText(const QLocale &locale = QLocale());

    QString date(QDate d) const { return m_locale.toString(d, m_dateFormat); }
    QString time(QTime t) const { return m_locale.toString(t, QStringLiteral("HH:mm:ss")); }

private:
    QLocale m_locale;
    QString m_dateFormat;
};
