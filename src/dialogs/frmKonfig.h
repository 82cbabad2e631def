// SPDX-License-Identifier: MIT
#pragma once

#include "ColourPicker.h"
#include "FileReplacer.h"
#include "IniFile.h"
#include "KonfigControls.h"
#include "KonfigSettings.h"

#include <QDialog>

#include <functional>

class Autostart;
class Messenger;
class frmText;

// The settings window. Most controls act at once on the running overlay as a live
// preview, through the settings record; "&Speichern" checks the station list, writes
// the whole file in one replacement, updates the start at logon, reloads and closes;
// when the file cannot be written it says why and stays open. "&Abbrechen" puts the
// record back as it was at opening. The close box does neither.
//
// Create a fresh one for each opening; show it non-blocking and modal for the user.
class frmKonfig final : public QDialog
{
    Q_OBJECT

public:
    struct Services
    {
        KonfigSettings &konfig;
        frmText &overlay;
        Autostart &autostart;
        Messenger &messenger;
        ColourPicker &colours;
        QString executablePath;               // of the running program, for the logon entry
        std::function<void()> check_stations; // one poll at once
        std::function<void()> Load_Konfig;    // read the file again, rebuild, poll
        FileReplacer::StepHook saveHook = {}; // none but in tests: fails a step of the save
    };

    explicit frmKonfig(Services services, QWidget *parent = nullptr);
    ~frmKonfig() override;

private:
    void Form_Load();
    void connectHandlers();
    void chooseColour(ColourSwatch *swatch, ColourPicker::Palette &palette, QString &target);
    void Command1_Click();
    void Command_cancel_Click();
    void Command2_Click();
    void Command3_Click();
    IniFile::Writes keyWrites() const;
    bool save();
    void redrawOverlay();

    Services m_services;
    KonfigControls m_ui;
    KonfigSettings m_snapshot; // the record as the window found it, for "&Abbrechen"
    ColourPicker::Palette m_textPalette{};
    ColourPicker::Palette m_outlinePalette{};
};
