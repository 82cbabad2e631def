// SPDX-License-Identifier: MIT
#include "FileReplacer.h"

using namespace Qt::StringLiterals;

namespace FileReplacer {

bool isTemporaryOf(const QString &name, const QString &fileName)
{
    const QString stem = fileName + u".save-"_s;
    if (name.size() != stem.size() + 6 || !name.startsWith(stem)) {
        return false;
    }
    for (const QChar c : QStringView(name).sliced(stem.size())) {
        const char16_t u = c.unicode();
        const bool alnum =
            (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
        if (!alnum) {
            return false;
        }
    }
    return true;
}

} // namespace FileReplacer
