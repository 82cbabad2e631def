// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>

// The wall clock, behind an interface so tests can set the time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
