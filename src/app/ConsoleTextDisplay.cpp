// SPDX-License-Identifier: MIT
#include "ConsoleTextDisplay.h"

#include <QDateTime>

#include <cstdio>

void ConsoleTextDisplay::set_Print_Text(const QString &text)
{
    m_text = text;
    QString shown = text;
    shown.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n    "));
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss"));
    std::fprintf(stdout, "[%s] %s\n", qPrintable(stamp),
                 shown.isEmpty() ? "(leer)" : qPrintable(shown));
    std::fflush(stdout);
}
