// SPDX-License-Identifier: MIT
#include "ProgramIcons.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace ProgramIcons {

namespace {

QIcon fromFiles(QStringView name, std::initializer_list<int> sizes)
{
    // The PNGs go in first: they give the icon Qt's pixmap engine, which keeps one
    // drawing per size (the SVG engine would keep a single pixmap). The SVG then adds a
    // large rendering where Qt's SVG image plugin is installed, and nothing elsewhere.
    QIcon icon;
    for (const int size : sizes) {
        icon.addFile(u":/ui/%1-%2.png"_s.arg(name).arg(size), QSize(size, size));
    }
    icon.addFile(u":/ui/%1.svg"_s.arg(name));
    return icon;
}

} // namespace

QIcon program()
{
    return fromFiles(u"program", {16, 32, 48});
}

QIcon busy()
{
    return fromFiles(u"busy", {16, 32});
}

} // namespace ProgramIcons
