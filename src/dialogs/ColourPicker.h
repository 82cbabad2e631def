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

// Qt's colour dialog, with its custom colours kept in memory only: from the picker's
// construction on, Qt's own settings store of the process (where the dialog would save
// them) reads and writes nothing. Create one for the program, before any colour dialog.
class DesktopColourPicker final : public ColourPicker
{
public:
    DesktopColourPicker();
    void choose(QWidget *parent, const QColor &initial, Palette &custom, Done done) override;
};
