// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the 8-bit code page of files written on Western Windows systems.
// Bytes without a defined character (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control of the same value, as Windows does, so every byte survives a round trip.
namespace Cp1252 {

QString decode(const QByteArray &bytes);

// True when every character of text has a byte in the code page.
bool canEncode(QStringView text);

// Characters without a byte become '?'.
QByteArray encode(QStringView text);

} // namespace Cp1252
