// SPDX-License-Identifier: MIT
#pragma once

#include <QRandomGenerator>
#include <QString>

// Makes up plausible songs for the demo: German-sounding titles, artists and albums,
// umlauts included so that the program's text handling gets exercised.
class SongCatalogue
{
public:
    struct Song
    {
        QString title;
        QString artist;
        QString album;
    };

    explicit SongCatalogue(quint32 seed = QRandomGenerator::global()->generate());

    Song next();

private:
    QString pick(const QStringList &words);
    QString title();
    QString artist();
    QString album();

    QRandomGenerator m_random;
};
