// SPDX-License-Identifier: MIT
// Windows: the shell's own taskbar window.
#include "TaskbarLocator.h"
#include "TaskbarRect_win.h"

#include <QGuiApplication>
#include <QRectF>
#include <QScreen>

namespace {

class ShellTaskbarLocator final : public TaskbarLocator
{
public:
    std::optional<QRect> taskbarRect() const override
    {
        TaskbarEdges e;
        if (!findShellTaskbar(e)) {
            return std::nullopt;
        }
        // The shell answers in device pixels, Qt places windows in device-independent
        // ones. The taskbar lies on the primary screen, whose origin is (0, 0) in both,
        // so scaling by that screen's ratio converts.
        const QScreen *screen = QGuiApplication::primaryScreen();
        const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
        return QRectF(QPointF(e.left / ratio, e.top / ratio),
                      QPointF(e.right / ratio, e.bottom / ratio))
            .toAlignedRect();
    }
};

} // namespace

std::unique_ptr<TaskbarLocator> createTaskbarLocator()
{
    return std::make_unique<ShellTaskbarLocator>();
}
