// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QStringView>

#include <memory>
#include <optional>

// Finds the desktop's taskbar (panel, dock). One implementation per platform,
// chosen by the build; each reports the bar's rectangle in screen pixels.
class TaskbarLocator
{
public:
    virtual ~TaskbarLocator() = default;
    // nullopt when there is no taskbar.
    virtual std::optional<QRect> taskbarRect() const = 0;
};

// The locator of the platform the program was built for.
std::unique_ptr<TaskbarLocator> createTaskbarLocator();

// "TOP", "LEFT", "HEIGHT", "WIDTH" or "ALIGN" (any case, surrounding blanks ignored)
// of the taskbar rectangle (left, top, right, bottom); 0 for any other keyword.
// ALIGN: 1 docked left, 2 right, 3 top, 4 bottom, 0 unknown.
qint32 taskbar_metric(QStringView keyword, int left, int top, int right, int bottom);

// The same for what locator finds; a missing taskbar counts as (0, 0, 0, 0).
qint32 taskbar_metric(QStringView keyword, const TaskbarLocator &locator);
