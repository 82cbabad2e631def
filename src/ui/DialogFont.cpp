// SPDX-License-Identifier: MIT
#include "DialogFont.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace DialogFont {

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

// The family to use, or "" for the default user-interface font.
QString chooseFamily()
{
    const QString family = QString::fromUtf16(kPreferred);
    if (!known(family) && !loadWineFace(family)) {
        return {};
    }
    // The wine face holds bitmaps for a few sizes only; on a scaled screen they would
    // come out tiny or blurred.
    if (!QFontDatabase::isSmoothlyScalable(family) && qGuiApp->devicePixelRatio() > 1.0) {
        return {};
    }
    if (QFontInfo(QFont(family, 8)).family().compare(family, Qt::CaseInsensitive) != 0) {
        return {};
    }
    return family;
}

} // namespace

QFont font(qreal pointSize)
{
    static const QString family = chooseFamily();
    QFont font = QGuiApplication::font();
    if (!family.isEmpty()) {
        font.setFamily(family);
        font.setPointSizeF(pointSize);
    }
    return font;
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

} // namespace DialogFont
