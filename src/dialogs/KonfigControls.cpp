// SPDX-License-Identifier: MIT
#include "KonfigControls.h"

#include "ColourSwatch.h"
#include "DialogFont.h"
#include "ScreenTwips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace Qt::StringLiterals;

namespace {

constexpr qreal kFontPoints = 9.75;
const QColor kLabelGrey(224, 224, 224);
const QColor kCautionRed(255, 0, 0);
const QColor kSecondsOrange(255, 192, 128);

struct Place
{
    int left, top, width, height; // twips
};

template <typename W> W *placed(W *widget, const QString &name, Place at)
{
    widget->setObjectName(name);
    widget->setGeometry(ScreenTwips::toPixels(at.left, at.top, at.width, at.height));
    return widget;
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Window, Qt::black);
    widget->setPalette(palette);
}

QLabel *label(QWidget *form, const QString &name, const QString &text, Place at,
              const QColor &colour = kLabelGrey)
{
    auto *widget = placed(new QLabel(text, form), name, at);
    widget->setTextFormat(Qt::PlainText);
    setTextColour(widget, colour);
    return widget;
}

QCheckBox *checkBox(QWidget *form, const QString &name, const QString &text, Place at)
{
    auto *box = placed(new QCheckBox(text, form), name, at);
    setTextColour(box, Qt::white);
    return box;
}

QScrollBar *scrollBar(QWidget *form, const QString &name, int minimum, int maximum, int page,
                      Place at)
{
    auto *bar = placed(new QScrollBar(Qt::Horizontal, form), name, at);
    bar->setRange(minimum, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(page);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QPushButton *button(QWidget *form, const QString &name, const QString &text, Place at)
{
    auto *widget = placed(new QPushButton(text, form), name, at);
    widget->setAutoDefault(false);
    return widget;
}

ColourSwatch *swatch(QWidget *form, const QString &name, Place at)
{
    return placed(new ColourSwatch(form), name, at);
}

void captions(QWidget *form)
{
    label(form, u"Label1"_s, u"Tragt hier die Mirkan Stationsnamen ein."_s, {120, 120, 6975, 255});
    label(form, u"Label2"_s, u"Ihr könnt mehrere Stationen mit einem ; trennen."_s,
          {120, 360, 6975, 255});
    label(form, u"Label3"_s, u"Mirkan Stationen"_s, {120, 840, 1695, 255});
    label(form, u"Label4"_s, u"Nur Stationsnamen, ohne 'http://' etc.eingeben !  z.B.: eins"_s,
          {120, 1200, 6735, 255}, kCautionRed);
    label(form, u"Label5"_s, u"Textfarbe"_s, {120, 2160, 1695, 255});
    label(form, u"Label7"_s, u"Textgröße"_s, {120, 3480, 1695, 255});
    label(form, u"Label8"_s, u"Transparenz"_s, {120, 3960, 1695, 255});
    label(form, u"Label9"_s, u"Updateinterval"_s, {120, 4560, 1695, 255});
}

} // namespace

KonfigControls KonfigControls::build(QWidget *form)
{
    form->setFont(DialogFont::font(kFontPoints));
    QPalette palette = form->palette();
    palette.setColor(QPalette::Window, Qt::black);
    form->setPalette(palette);
    form->setAutoFillBackground(true);
    form->setFixedSize(ScreenTwips::toPixelsX(kClientWidthTwips),
                       ScreenTwips::toPixelsY(kClientHeightTwips));
    captions(form);

    KonfigControls c;
    c.Text1 = placed(new QLineEdit(form), u"Text1"_s, {1800, 720, 5175, 375});
    c.Text1->setToolTip(u"Bitte nur den Stationsnamen angeben ! z.B.: eins"_s);
    c.Picture_bg = swatch(form, u"Picture_bg"_s, {1920, 2040, 615, 375});
    c.Check_kontur = checkBox(form, u"Check_kontur"_s, u"Konturfarbe"_s, {120, 2640, 1575, 255});
    c.Picture_kont = swatch(form, u"Picture_kont"_s, {1920, 2520, 615, 375});
    c.Check_schatten =
        checkBox(form, u"Check_schatten"_s, u"Schatten anzeigen"_s, {120, 3000, 3855, 375});
    c.scroll_font_size = scrollBar(form, u"scroll_font_size"_s, 10, 30, 5, {1920, 3480, 3135, 255});
    c.Label_textgroesse =
        label(form, u"Label_textgroesse"_s, {}, {5280, 3480, 1575, 255}, Qt::white);
    c.tranzparency = scrollBar(form, u"tranzparency"_s, 0, 255, 16, {1920, 3960, 3135, 255});
    c.Label_trans = label(form, u"Label_trans"_s, {}, {5280, 3960, 1575, 255}, Qt::white);
    c.Update_Inter = scrollBar(form, u"Update_Inter"_s, 1, 5, 1, {1920, 4560, 3135, 255});
    c.Label6 = label(form, u"Label6"_s, {}, {5280, 4560, 1575, 255}, Qt::white);
    c.Check_autostart = checkBox(form, u"Check_autostart"_s,
                                 u"Das Programm mit Windows starten ?"_s, {120, 5040, 5415, 375});
    c.Check_neben =
        checkBox(form, u"Check_neben"_s, u"Ausgabe nebeneinander"_s, {120, 5760, 3855, 375});
    c.Check_only_changes = checkBox(form, u"Check_only_changes"_s,
                                    u"Anzeige nur bei Änderungen für "_s, {120, 6120, 3375, 375});
    c.HScroll_check_time_in_seconds =
        scrollBar(form, u"HScroll_check_time_in_seconds"_s, 1, 50, 5, {3360, 6180, 1935, 255});
    c.Label_only_changes =
        label(form, u"Label_only_changes"_s, {}, {5520, 6240, 1215, 255}, kSecondsOrange);
    c.Check_write_file =
        checkBox(form, u"Check_write_file"_s,
                 u"Titel und Hörerinformationen in Datei/en speichern"_s, {120, 6600, 6015, 375});
    c.Command3 =
        button(form, u"Command3"_s, u"Fensterposition festlegen"_s, {960, 7320, 2775, 375});
    c.Command2 =
        button(form, u"Command2"_s, u"Fensterposition zurücksetzen"_s, {3960, 7320, 2415, 375});
    c.Command_cancel =
        button(form, u"Command_cancel"_s, u"&Abbrechen"_s, {240, kButtonTopTwips, 1815, 375});
    c.Command1 = button(form, u"Command1"_s, u"&Speichern"_s, {5400, kButtonTopTwips, 1815, 375});
    for (QLineEdit **hidden : {&c.Text_pos_x, &c.Text_pos_y}) {
        *hidden = new QLineEdit(u"0"_s, form);
        (*hidden)->hide();
    }
    // In the gap below the red hint, wrapping to two lines.
    c.Label_ini_problem =
        label(form, u"Label_ini_problem"_s, {}, {120, 1470, 7065, 540}, kSecondsOrange);
    c.Label_ini_problem->setWordWrap(true);
    c.Label_ini_problem->hide();
    c.Text_pos_x->setObjectName(u"Text_pos_x"_s);
    c.Text_pos_y->setObjectName(u"Text_pos_y"_s);

    QWidget *const tabOrder[] = {
        c.Text1,
        c.Command1,
        c.Picture_bg,
        c.Picture_kont,
        c.tranzparency,
        c.Update_Inter,
        c.Command_cancel,
        c.Check_kontur,
        c.Check_schatten,
        c.scroll_font_size,
        c.Check_only_changes,
        c.HScroll_check_time_in_seconds,
        c.Check_write_file,
        c.Command2,
        c.Command3,
        c.Check_neben,
        c.Check_autostart,
    };
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
    return c;
}
