// SPDX-License-Identifier: MIT
#include "AboutFont.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace AboutFont {

namespace {

constexpr char16_t kPreferred[] = u"MS Sans Serif";

bool known(const QString &family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

bool loadWineFace(const QString &family)
{
    for (const QString &folder :
         {u"/usr/share/wine/fonts"_s, u"/usr/share/fonts/truetype/wine"_s}) {
        const QString path = QDir(folder).filePath(u"ms_sans_serif.ttf"_s);
        if (QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0 && known(family)) {
            return true;
        }
    }
    return false;
}

QFont choose()
{
    const QString family = QString::fromUtf16(kPreferred);
    if (!known(family) && !loadWineFace(family)) {
        return QGuiApplication::font();
    }
    // The wine face holds bitmaps for one size only; on a scaled screen they would come
    // out tiny or blurred.
    if (!QFontDatabase::isSmoothlyScalable(family) && qGuiApp->devicePixelRatio() > 1.0) {
        return QGuiApplication::font();
    }
    const QFont font(family, 8);
    if (QFontInfo(font).family().compare(family, Qt::CaseInsensitive) != 0) {
        return QGuiApplication::font();
    }
    return font;
}

} // namespace

QFont font()
{
    static const QFont chosen = choose();
    return chosen;
}

QFont titleFont()
{
    const QFont body = font();
    QFont title = QFontDatabase::isSmoothlyScalable(body.family()) ? body : QGuiApplication::font();
    if (body.pointSizeF() > 0) {
        title.setPointSizeF(body.pointSizeF() * 1.5);
    } else {
        title.setPixelSize(body.pixelSize() * 3 / 2);
    }
    title.setBold(true);
    return title;
}

} // namespace AboutFont
