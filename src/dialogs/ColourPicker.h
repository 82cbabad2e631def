// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

#include <array>
#include <functional>
#include <optional>

class QWidget;

// The colour dialog, behind an interface so tests can choose without a human.
// Non-blocking: done receives the confirmed colour, or nullopt when the user cancelled.
// custom holds the dialog's 16 custom colours; what the user stores there is written
// back, so the caller can keep one palette per purpose.
class ColourPicker
{
public:
    using Palette = std::array<QRgb, 16>;
    using Done = std::function<void(std::optional<QColor>)>;

    virtual ~ColourPicker() = default;
    virtual void choose(QWidget *parent, const QColor &initial, Palette &custom, Done done) = 0;
};

class DesktopColourPicker final : public ColourPicker
{
public:
    void choose(QWidget *parent, const QColor &initial, Palette &custom, Done done) override;
};
