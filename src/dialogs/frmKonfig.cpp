// SPDX-License-Identifier: MIT
#include "frmKonfig.h"

#include "ApiAddress.h"
#include "Autostart.h"
#include "AutostartEntry.h"
#include "ColourSwatch.h"
#include "IniFile.h"
#include "KonfigKeys.h"
#include "KonfigSettings.h"
#include "KonfigTexts.h"
#include "Messenger.h"
#include "NumberText.h"
#include "OverlayStyle.h"
#include "ProgramIcons.h"
#include "TextCase.h"
#include "frmKonfig_position.h"
#include "frmText.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

using namespace Qt::StringLiterals;

namespace {

QString flag(bool on)
{
    return on ? u"1"_s : u"0"_s;
}

// The colour text as the whole number it holds, unclamped: a negative value (a system
// colour) must survive "&Abbrechen" and is never written by "&Speichern". Text that is no
// number of 32 bits gives the colour the display shows for it.
qint32 colourNumber(const QString &text, qint32 fallback)
{
    const std::optional<double> value = NumberText::strictNumber(text);
    if (!value) {
        return fallback;
    }
    return NumberText::toInt32(NumberText::roundHalfEven(*value)).value_or(fallback);
}

} // namespace

frmKonfig::frmKonfig(Services services, QWidget *parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_services(std::move(services)), m_ui(KonfigControls::build(this))
{
    setObjectName(u"frmKonfig"_s);
    setWindowTitle(u"Einstellungen"_s);
    setWindowIcon(ProgramIcons::program());
    setModal(true);
    if (const QScreen *where = QGuiApplication::primaryScreen()) {
        move(where->availableGeometry().center() - rect().center());
    }
    connectHandlers();
    Form_Load();
}

frmKonfig::~frmKonfig() = default;

void frmKonfig::connectHandlers()
{
    KonfigSettings &k = m_services.konfig;
    connect(m_ui.Check_kontur, &QCheckBox::toggled, this, [this, &k](bool on) {
        k.Text_Ouline = on;
        redrawOverlay();
    });
    connect(m_ui.Check_schatten, &QCheckBox::toggled, this, [this, &k](bool on) {
        k.Text_Shadow = on;
        redrawOverlay();
    });
    connect(m_ui.Check_neben, &QCheckBox::toggled, this, [this, &k](bool on) {
        k.horizontal = on ? 1 : 0;
        // Only a poll composes the text anew, side by side or stacked.
        if (m_services.check_stations) {
            m_services.check_stations();
        }
    });
    connect(m_ui.tranzparency, &QScrollBar::valueChanged, this, [this, &k](int value) {
        k.Opaque = qint16(value);
        m_ui.Label_trans->setText(QString::number(value));
        redrawOverlay();
    });
    connect(m_ui.scroll_font_size, &QScrollBar::valueChanged, this, [this, &k](int value) {
        k.Text_Size = qint16(value);
        m_ui.Label_textgroesse->setText(u"Textgröße: "_s + QString::number(value));
        // Twice, as the program always has: the second pass measures with the first
        // pass's window in place.
        redrawOverlay();
        redrawOverlay();
    });
    connect(m_ui.Update_Inter, &QScrollBar::valueChanged, this,
            [this](int value) { m_ui.Label6->setText(KonfigTexts::intervalText(value)); });
    connect(m_ui.HScroll_check_time_in_seconds, &QScrollBar::valueChanged, this, [this](int value) {
        m_ui.Label_only_changes->setText(KonfigTexts::secondsText(value));
    });
    connect(m_ui.Picture_bg, &ColourSwatch::clicked, this,
            [this, &k] { chooseColour(m_ui.Picture_bg, m_textPalette, k.BackgroundColor); });
    connect(m_ui.Picture_kont, &ColourSwatch::clicked, this,
            [this, &k] { chooseColour(m_ui.Picture_kont, m_outlinePalette, k.OutlineColor); });
    connect(m_ui.Command2, &QPushButton::clicked, this, &frmKonfig::Command2_Click);
    connect(m_ui.Command3, &QPushButton::clicked, this, &frmKonfig::Command3_Click);
    connect(m_ui.Command1, &QPushButton::clicked, this, &frmKonfig::Command1_Click);
    connect(m_ui.Command_cancel, &QPushButton::clicked, this, &frmKonfig::Command_cancel_Click);
}

// Fills the controls from the record. The handlers are connected already, so every
// control whose value changes acts as if the user had changed it.
void frmKonfig::Form_Load()
{
    KonfigSettings &k = m_services.konfig;
    // Taken first, so a value a bar cannot show (a hand-edited size of 40) comes back
    // unchanged on "&Abbrechen". The colours are kept as the numbers the swatches show.
    const qint32 textColour = colourNumber(k.BackgroundColor, OverlayStyle::fillColour(k));
    const qint32 outlineColour = colourNumber(k.OutlineColor, OverlayStyle::outlineColour(k));
    m_snapshot = k;
    m_snapshot.BackgroundColor = QString::number(textColour);
    m_snapshot.OutlineColor = QString::number(outlineColour);

    m_ui.Text1->setText(k.stations);
    m_ui.Picture_bg->setColour(textColour);
    m_ui.Picture_kont->setColour(outlineColour);
    // Out-of-range values are clamped by the bars themselves.
    m_ui.tranzparency->setValue(k.Opaque);
    m_ui.Update_Inter->setValue(k.UpdateInterval);
    m_ui.scroll_font_size->setValue(k.Text_Size);
    m_ui.Text_pos_x->setText(QString::number(k.window_pos_x));
    m_ui.Text_pos_y->setText(QString::number(k.window_pos_y));
    m_ui.Check_kontur->setChecked(k.Text_Ouline);
    m_ui.Check_schatten->setChecked(k.Text_Shadow);
    m_ui.Check_neben->setChecked(k.horizontal == 1);
    m_ui.Check_autostart->setChecked(k.autostart == 1);
    if (k.changes_visible_in_seconds < 1) {
        k.changes_visible_in_seconds = 10;
    }
    m_ui.Check_only_changes->setChecked(k.only_changes);
    m_ui.HScroll_check_time_in_seconds->setValue(k.changes_visible_in_seconds);
    m_ui.Check_write_file->setChecked(k.write_title2file);
    m_ui.Label_ini_problem->setText(KonfigTexts::unreadableLine(k.iniProblem));
    m_ui.Label_ini_problem->setVisible(!k.iniProblem.isEmpty());

    // A bar left at its first value has not changed, so its label is set here.
    m_ui.Label_trans->setText(QString::number(m_ui.tranzparency->value()));
    m_ui.Label_textgroesse->setText(u"Textgröße: "_s +
                                    QString::number(m_ui.scroll_font_size->value()));
    m_ui.Label6->setText(KonfigTexts::intervalText(m_ui.Update_Inter->value()));
    m_ui.Label_only_changes->setText(
        KonfigTexts::secondsText(m_ui.HScroll_check_time_in_seconds->value()));
}

void frmKonfig::chooseColour(ColourSwatch *swatch, ColourPicker::Palette &palette, QString &target)
{
    // The first three custom colours are offered afresh at every opening; the other
    // thirteen keep what the user stored there while this window lives.
    palette[0] = qRgb(255, 0, 255);
    palette[1] = qRgb(125, 125, 125);
    palette[2] = qRgb(90, 90, 90);
    m_services.colours.choose(this, QColor(0, 255, 0), palette,
                              [this, swatch, &target](std::optional<QColor> chosen) {
                                  if (!chosen) {
                                      return;
                                  }
                                  swatch->setColour(ColourSwatch::fromColor(*chosen));
                                  target = QString::number(swatch->colour());
                                  redrawOverlay();
                              });
}

void frmKonfig::Command2_Click()
{
    m_services.konfig.window_pos_x = 0;
    m_services.konfig.window_pos_y = 0;
    m_ui.Text_pos_x->setText(u"0"_s);
    m_ui.Text_pos_y->setText(u"0"_s);
    redrawOverlay();
}

void frmKonfig::Command3_Click()
{
    auto *position = new frmKonfig_position(m_services.konfig, m_services.overlay, this);
    position->setAttribute(Qt::WA_DeleteOnClose);
    connect(position, &QDialog::finished, this, [this] {
        m_ui.Text_pos_x->setText(QString::number(m_services.konfig.window_pos_x));
        m_ui.Text_pos_y->setText(QString::number(m_services.konfig.window_pos_y));
    });
    position->show();
}

void frmKonfig::Command1_Click()
{
    const QString stations = trim_blanks(lower_case(m_ui.Text1->text()));
    const QString problem =
        KonfigTexts::stationListProblem(stations, ApiAddress::domainName(m_services.konfig));
    if (!problem.isEmpty()) {
        m_services.messenger.inform(this, problem);
        return;
    }
    if (!save()) {
        return;
    }
    m_services.messenger.inform(this, u"Die Einstellungen wurden gespeichert. "_s,
                                [self = QPointer<frmKonfig>(this)] {
                                    if (self) {
                                        self->close();
                                    }
                                });
}

// Every key the dialog edits, in the order the program has always written them.
IniFile::Writes frmKonfig::keyWrites() const
{
    using S = KonfigSettings;
    IniFile::Writes writes;
    const auto write = [&writes](const KonfigKeys::Field &field, QString text) {
        writes.emplace_back(KonfigKeys::nameOf(field), std::move(text));
    };
    write(&S::stations, trim_blanks(lower_case(m_ui.Text1->text())));
    for (const auto &[field, swatch] : {std::pair{&S::BackgroundColor, m_ui.Picture_bg},
                                        std::pair{&S::OutlineColor, m_ui.Picture_kont}}) {
        // A negative colour is a system colour: the file keeps what it has.
        if (swatch->colour() >= 0) {
            write(field, QString::number(swatch->colour()));
        }
    }
    write(&S::UpdateInterval, QString::number(m_ui.Update_Inter->value()));
    write(&S::Opaque, QString::number(m_ui.tranzparency->value()));
    write(&S::Text_Ouline, flag(m_ui.Check_kontur->isChecked()));
    write(&S::Text_Shadow, flag(m_ui.Check_schatten->isChecked()));
    write(&S::Text_Size, QString::number(m_ui.scroll_font_size->value()));
    write(&S::autostart, flag(m_ui.Check_autostart->isChecked()));
    write(&S::only_changes, flag(m_ui.Check_only_changes->isChecked()));
    write(&S::changes_visible_in_seconds,
          QString::number(m_ui.HScroll_check_time_in_seconds->value()));
    write(&S::write_title2file, flag(m_ui.Check_write_file->isChecked()));
    write(&S::window_pos_x, m_ui.Text_pos_x->text().trimmed());
    write(&S::window_pos_y, m_ui.Text_pos_y->text().trimmed());
    write(&S::horizontal, flag(m_ui.Check_neben->isChecked()));
    return writes;
}

// Writes every key the dialog edits in one replacement of the file, then updates the
// logon entry and reloads. When the file cannot be written, nothing else changes
// either: the user is told why and the window stays open.
bool frmKonfig::save()
{
    KonfigSettings &k = m_services.konfig;
    // Settings loaded as defaults in place of an unreadable file would overwrite the
    // user's own, should that file have become readable meanwhile.
    const FileReplacer::Result written =
        k.iniProblem.isEmpty()
            ? IniFile::save(KonfigKeys::kSection, keyWrites(), k.ini_path, m_services.saveHook)
            : FileReplacer::Result{KonfigTexts::unreadableAtLoad(k.iniProblem),
                                   u"it could not be read when the settings were loaded"_s};
    if (!written.ok()) {
        qWarning("Settings not saved to %s: %s", qPrintable(k.ini_path),
                 qPrintable(written.systemError));
        m_services.messenger.inform(this, KonfigTexts::notSavedMessage(written.error));
        return false;
    }

    const AutostartEntry entry = AutostartEntry::forExecutable(m_services.executablePath);
    if (m_ui.Check_autostart->isChecked()) {
        m_services.autostart.SetAutostart(entry.valueName, entry.command);
    } else {
        m_services.autostart.RemoveAutostart(entry.valueName);
    }
    k.write_title2file = m_ui.Check_write_file->isChecked();
    if (m_services.Load_Konfig) {
        m_services.Load_Konfig();
    }
    return true;
}

void frmKonfig::Command_cancel_Click()
{
    KonfigSettings &k = m_services.konfig;
    // The station list is edited in its text box only, and the file's path, its
    // problem and the API host are not the window's at all: they stay as they are now.
    KonfigSettings restored = m_snapshot;
    restored.ini_path = k.ini_path;
    restored.stations = k.stations;
    restored.api_host = k.api_host;
    restored.iniProblem = k.iniProblem;
    k = std::move(restored);
    redrawOverlay();
    close();
}

void frmKonfig::redrawOverlay()
{
    m_services.overlay.redraw_text();
}
