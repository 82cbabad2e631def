// SPDX-License-Identifier: MIT
#include "OverlayFont.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>

using namespace Qt::StringLiterals;

namespace OverlayFont {

QStringList fontFolders()
{
    return {u"/usr/share/wine/fonts"_s, u"/usr/share/fonts/truetype/wine"_s};
}

namespace {

QString findFamily()
{
    const QString preferred = QString::fromUtf16(kPreferred);
    if (QFontDatabase::families().contains(preferred, Qt::CaseInsensitive)) {
        return preferred;
    }
    for (const QString &folder : fontFolders()) {
        bool loaded = false;
        for (const auto *name : {"tahoma.ttf", "tahomabd.ttf"}) {
            const QString path = QDir(folder).filePath(QLatin1StringView(name));
            loaded =
                (QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0) || loaded;
        }
        if (loaded && QFontDatabase::families().contains(preferred, Qt::CaseInsensitive)) {
            return preferred;
        }
    }
    for (const QString &fallback : {u"DejaVu Sans"_s, u"Liberation Sans"_s, u"Arial"_s}) {
        if (QFontDatabase::families().contains(fallback, Qt::CaseInsensitive)) {
            return fallback;
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

} // namespace

QString family()
{
    static const QString chosen = findFamily();
    return chosen;
}

} // namespace OverlayFont
