// SPDX-License-Identifier: MIT
#include "ApiAddress.h"

#include <QUrl>

namespace ApiAddress {

QString baseUrl(const KonfigSettings &settings)
{
    QString base = settings.api_host.trimmed();
    if (base.isEmpty()) {
        base = QLatin1StringView(kDefaultHost);
    }
    if (!base.contains(QLatin1StringView("://"))) {
        base.prepend(QLatin1StringView("http://"));
    }
    while (base.endsWith(QLatin1Char('/'))) {
        base.chop(1);
    }
    return base;
}

QString stationUrl(const KonfigSettings &settings, const QString &station, QStringView leaf)
{
    // "." and ".." would be resolved away by every HTTP client, even percent-encoded,
    // and reach another path; no station has such a name.
    if (station == QLatin1StringView(".") || station == QLatin1StringView("..")) {
        return {};
    }
    // One path segment: a name holding "/", "?", "#" or blanks cannot reach another path.
    return baseUrl(settings) + QLatin1StringView("/station/") +
           QString::fromLatin1(QUrl::toPercentEncoding(station)) + QLatin1Char('/') + leaf;
}

} // namespace ApiAddress
