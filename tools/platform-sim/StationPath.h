// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QString>

// Which document a request target asks for and for which station. The station is one
// percent-encoded path segment, so "a%2Fb" names the station "a/b" and never a
// deeper path; it is decoded as UTF-8.
struct StationPath
{
    enum class Document
    {
        None,
        Listeners,
        CurrentSong
    };

    Document document = Document::None;
    QString station;

    static StationPath parse(QByteArrayView target);
};
