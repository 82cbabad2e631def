// SPDX-License-Identifier: MIT
#pragma once

#include "Clock.h"
#include "Taskbar.h"
#include "TextDisplay.h"

#include <QStringList>

// A display that remembers every text it was given.
class RecordingDisplay final : public TextDisplay
{
public:
    void set_Print_Text(const QString &text) override { texts.append(text); }
    QString get_text() const override { return texts.isEmpty() ? QString() : texts.back(); }
    void show() override { shown = true; }

    QStringList texts;
    bool shown = false;
};

class FixedClock final : public Clock
{
public:
    QDateTime now() const override { return time; }
    QDateTime time{QDate(2026, 12, 5), QTime(14, 30, 15)};
};

class FixedTaskbar final : public TaskbarLocator
{
public:
    std::optional<QRect> taskbarRect() const override { return rect; }
    std::optional<QRect> rect;
};
