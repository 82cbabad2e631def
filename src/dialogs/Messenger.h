// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>

class QWidget;

// The dialogs' message boxes: the text with an OK button only and the program title as
// caption. Non-blocking - then runs once the box has been closed - so timers and polls go
// on while it is open; it blocks only its parent window, never the tray. Behind an
// interface so tests can read the texts without a human.
class Messenger
{
public:
    virtual ~Messenger() = default;
    virtual void inform(QWidget *parent, const QString &text, std::function<void()> then = {}) = 0;
};

class DesktopMessenger final : public Messenger
{
public:
    void inform(QWidget *parent, const QString &text, std::function<void()> then = {}) override;
};
