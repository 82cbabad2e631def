// SPDX-License-Identifier: MIT
#include "TaskbarLocator.h"

#include "TaskbarMetric.h"

#include <QByteArray>

#include <string_view>

qint32 taskbar_metric(QStringView keyword, int left, int top, int right, int bottom)
{
    // UTF-8 keeps ASCII as it is and maps nothing else onto it.
    const QByteArray k = keyword.toUtf8();
    return taskbarMetric(std::string_view(k.constData(), static_cast<std::size_t>(k.size())),
                         {left, top, right, bottom});
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
