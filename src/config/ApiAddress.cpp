// SPDX-License-Identifier: MIT
#include "ApiAddress.h"

#include <QUrl>

#include <algorithm>

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

QString domainName(const KonfigSettings &settings)
{
    const QString host = QUrl(baseUrl(settings)).host().toLower();
    // An address in digits (IPv4) or with colons (IPv6) has no domain to shorten.
    const bool numeric = host.contains(QLatin1Char(':')) || std::ranges::all_of(host, [](QChar c) {
                             return c.isDigit() || c == u'.';
                         });
    if (!numeric) {
        const qsizetype firstDot = host.indexOf(QLatin1Char('.'));
        if (firstDot > 0 && host.indexOf(QLatin1Char('.'), firstDot + 1) > 0) {
            return host.mid(firstDot + 1);
        }
    }
    return host;
}

} // namespace ApiAddress
