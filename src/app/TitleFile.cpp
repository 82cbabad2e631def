// SPDX-License-Identifier: MIT
#include "TitleFile.h"

using namespace Qt::StringLiterals;

namespace TitleFile {
namespace {

bool needsEncoding(QStringView name, qsizetype i)
{
    const QChar c = name[i];
    if (c == u'%' || c == u'/' || c == u'\\' || c == u':' || c.category() == QChar::Other_Control) {
        return true;
    }
    // A dot next to another dot: ".." never reaches the file system as a name part.
    return c == u'.' &&
           ((i > 0 && name[i - 1] == u'.') || (i + 1 < name.size() && name[i + 1] == u'.'));
}

} // namespace

QString fileName(const QString &station)
{
    QString name = u"titel_"_s;
    for (qsizetype i = 0; i < station.size(); ++i) {
        if (!needsEncoding(station, i)) {
            name += station[i];
            continue;
        }
        // "." counts as unreserved in addresses; here it has to be encoded as well.
        name += QString::fromLatin1(QString(station[i]).toUtf8().toPercentEncoding({}, "."));
    }
    return name + u".txt"_s;
}

} // namespace TitleFile
