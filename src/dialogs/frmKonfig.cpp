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

// The record as the dialog found it; "&Abbrechen" puts it back.
struct frmKonfig::Snapshot
{
    qint32 textColour = 0;
    qint32 outlineColour = 0;
    qint16 Opaque = 0;
    qint16 UpdateInterval = 0;
    bool Text_Ouline = false;
    bool Text_Shadow = false;
    qint16 Text_Size = 0;
    bool only_changes = false;
    qint16 changes_visible_in_seconds = 0;
    bool write_title2file = false;
    qint32 window_pos_x = 0;
    qint32 window_pos_y = 0;
    qint32 horizontal = 0;
    qint16 autostart = 0;
};

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
      m_services(std::move(services)), m_ui(KonfigControls::build(this)),
      m_snapshot(std::make_unique<Snapshot>())
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
    // unchanged on "&Abbrechen".
    *m_snapshot = {colourNumber(k.BackgroundColor, OverlayStyle::fillColour(k)),
                   colourNumber(k.OutlineColor, OverlayStyle::outlineColour(k)),
                   k.Opaque,
                   k.UpdateInterval,
                   k.Text_Ouline,
                   k.Text_Shadow,
                   k.Text_Size,
                   k.only_changes,
                   k.changes_visible_in_seconds,
                   k.write_title2file,
                   k.window_pos_x,
                   k.window_pos_y,
                   k.horizontal,
                   k.autostart};

    m_ui.Text1->setText(k.stations);
    m_ui.Picture_bg->setColour(m_snapshot->textColour);
    m_ui.Picture_kont->setColour(m_snapshot->outlineColour);
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
    IniFile::Writes writes;
    writes.emplace_back(u"stations"_s, trim_blanks(lower_case(m_ui.Text1->text())));
    for (const auto &[key, swatch] : {std::pair{u"BackgroundColor"_s, m_ui.Picture_bg},
                                      std::pair{u"OutlineColor"_s, m_ui.Picture_kont}}) {
        // A negative colour is a system colour: the file keeps what it has.
        if (swatch->colour() >= 0) {
            writes.emplace_back(key, QString::number(swatch->colour()));
        }
    }
    writes.emplace_back(u"UpdateInterval"_s, QString::number(m_ui.Update_Inter->value()));
    writes.emplace_back(u"Opaque"_s, QString::number(m_ui.tranzparency->value()));
    writes.emplace_back(u"Text_Ouline"_s, flag(m_ui.Check_kontur->isChecked()));
    writes.emplace_back(u"Text_Shadow"_s, flag(m_ui.Check_schatten->isChecked()));
    writes.emplace_back(u"Text_Size"_s, QString::number(m_ui.scroll_font_size->value()));
    writes.emplace_back(u"autostart"_s, flag(m_ui.Check_autostart->isChecked()));
    writes.emplace_back(u"only_changes"_s, flag(m_ui.Check_only_changes->isChecked()));
    writes.emplace_back(u"changes_visible_in_seconds"_s,
                        QString::number(m_ui.HScroll_check_time_in_seconds->value()));
    writes.emplace_back(u"write_title2file"_s, flag(m_ui.Check_write_file->isChecked()));
    writes.emplace_back(u"window_pos_x"_s, m_ui.Text_pos_x->text().trimmed());
    writes.emplace_back(u"window_pos_y"_s, m_ui.Text_pos_y->text().trimmed());
    writes.emplace_back(u"horizontal"_s, flag(m_ui.Check_neben->isChecked()));
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
    const Snapshot &s = *m_snapshot;
    k.BackgroundColor = QString::number(s.textColour);
    k.OutlineColor = QString::number(s.outlineColour);
    k.Opaque = s.Opaque;
    k.UpdateInterval = s.UpdateInterval;
    k.Text_Ouline = s.Text_Ouline;
    k.Text_Shadow = s.Text_Shadow;
    k.Text_Size = s.Text_Size;
    k.only_changes = s.only_changes;
    k.changes_visible_in_seconds = s.changes_visible_in_seconds;
    k.write_title2file = s.write_title2file;
    k.window_pos_x = s.window_pos_x;
    k.window_pos_y = s.window_pos_y;
    k.horizontal = s.horizontal;
    k.autostart = s.autostart;
    redrawOverlay();
    close();
}

void frmKonfig::redrawOverlay()
{
    m_services.overlay.redraw_text();
}
