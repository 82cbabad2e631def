// SPDX-License-Identifier: MIT
#include "FileErrorText.h"

#include <cerrno>

using namespace Qt::StringLiterals;

namespace FileErrorText {

QString german(int errorNumber, const QString &systemText)
{
    switch (errorNumber) {
    case ENOSPC:
        return u"Auf dem Datenträger ist kein Platz mehr frei."_s;
    case EFBIG:
        return u"Die Datei wäre größer, als das System erlaubt."_s;
    case EROFS:
        return u"Der Datenträger ist schreibgeschützt."_s;
    case EACCES:
    case EPERM:
        return u"Zugriff verweigert."_s;
    case ENOENT:
    case ENOTDIR:
        return u"Der Ordner ist nicht vorhanden."_s;
    case EIO:
        return u"Ein-/Ausgabefehler beim Zugriff auf den Datenträger."_s;
    default:
        return systemText;
    }
}

} // namespace FileErrorText
