// SPDX-License-Identifier: MIT
#pragma once

#include "KonfigSettings.h"

#include <QString>

// The radio platform's API address, derived in one place from the api_host setting.
namespace ApiAddress {

// Used when the configuration names no host.
inline constexpr char kDefaultHost[] = "api.mirkan.example";

// "http://" + host, or the whole api_host when it holds a scheme ("://"); no trailing "/".
QString baseUrl(const KonfigSettings &settings);

// baseUrl + "/station/" + the name as one percent-encoded path segment + "/" + leaf;
// "" for the names "." and "..", which no address can hold as a segment.
QString stationUrl(const KonfigSettings &settings, const QString &station, QStringView leaf);

// The platform's domain as users write it, lower case: the address's host without its
// first label when three or more remain ("api.mirkan.example" gives "mirkan.example");
// an IP address or a short host stays whole.
QString domainName(const KonfigSettings &settings);

} // namespace ApiAddress
