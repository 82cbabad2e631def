// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The process-wide settings record. Field names are the INI keys (Text_Ouline is
// spelled as the file spells it). Colours stay decimal text ("2131691": red 235,
// green 134, blue 32, as red + green * 256 + blue * 65536); positions are in twips
// (1/1440 inch), the pair 0, 0 meaning "placed automatically".
//
// The initial values are those the program holds before it reads the file; the
// file's defaults for absent keys are in KonfigKeys.
struct KonfigSettings
{
    QString ini_path;
    QString stations;
    QString BackgroundColor = QStringLiteral("2131691");
    QString OutlineColor = QStringLiteral("0");
    qint16 Opaque = 225;
    bool Text_Ouline = true;
    bool Text_Shadow = true;
    qint16 Text_Size = 18;
    qint16 UpdateInterval = 3; // minutes
    bool only_changes = false;
    qint16 changes_visible_in_seconds = 0;
    bool write_title2file = false;
    qint32 window_pos_x = 0; // twips
    qint32 window_pos_y = 0; // twips
    qint32 horizontal = 0;   // 0: one station per line, otherwise side by side
    qint16 autostart = 0;

    // Optional, never written by the program: the platform's API host, or a whole
    // base address when it contains "://". Empty means the built-in host.
    QString api_host;

    // Why the last load found something unusable at ini_path (in German, for the user);
    // empty when the file was read or is missing. Its defaults are then no settings of
    // the user's, and a save must not put them in that file's place.
    QString iniProblem;

    bool operator==(const KonfigSettings &) const = default;
};
