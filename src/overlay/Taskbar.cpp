// SPDX-License-Identifier: MIT
#include "Taskbar.h"

#include <QString>

qint32 taskbar_metric(QStringView keyword, int left, int top, int right, int bottom)
{
    const QString k = keyword.trimmed().toString().toUpper();
    if (k == u"TOP") {
        return top;
    }
    if (k == u"LEFT") {
        return left;
    }
    if (k == u"HEIGHT") {
        return bottom - top;
    }
    if (k == u"WIDTH") {
        return right - left;
    }
    if (k != u"ALIGN") {
        return 0;
    }
    // Later tests override earlier ones.
    qint32 align = 0;
    if (top < 1 && left < 1) {
        if (right < bottom) {
            align = 1;
        } else if (right > bottom) {
            align = 3;
        }
    }
    if (top < 1 && left > 0) {
        align = 2;
    }
    if (left < 1 && top > 0) {
        align = 4;
    }
    return align;
}

qint32 taskbar_metric(QStringView keyword, const TaskbarLocator &locator)
{
    const QRect r = locator.taskbarRect().value_or(QRect());
    if (r.isNull()) {
        return taskbar_metric(keyword, 0, 0, 0, 0);
    }
    // QRect's right and bottom are inclusive; the metric works on exclusive edges.
    return taskbar_metric(keyword, r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}
