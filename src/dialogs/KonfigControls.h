// SPDX-License-Identifier: MIT
#pragma once

class ColourSwatch;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QWidget;

// The settings window's named controls, placed on the form as designed (twips turned
// into the screen's pixels), with their texts, colours, ranges and tab order. The form
// owns them; this only keeps the pointers.
struct KonfigControls
{
    QLineEdit *Text1 = nullptr;
    ColourSwatch *Picture_bg = nullptr;
    QCheckBox *Check_kontur = nullptr;
    ColourSwatch *Picture_kont = nullptr;
    QCheckBox *Check_schatten = nullptr;
    QScrollBar *scroll_font_size = nullptr;
    QLabel *Label_textgroesse = nullptr;
    QScrollBar *tranzparency = nullptr;
    QLabel *Label_trans = nullptr;
    QScrollBar *Update_Inter = nullptr;
    QLabel *Label6 = nullptr;
    QCheckBox *Check_autostart = nullptr;
    QCheckBox *Check_neben = nullptr;
    QCheckBox *Check_only_changes = nullptr;
    QScrollBar *HScroll_check_time_in_seconds = nullptr;
    QLabel *Label_only_changes = nullptr;
    QCheckBox *Check_write_file = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command_cancel = nullptr;
    QPushButton *Command1 = nullptr;
    QLineEdit *Text_pos_x = nullptr;
    QLineEdit *Text_pos_y = nullptr;
    // Hidden unless the settings file could not be read; then it says so.
    QLabel *Label_ini_problem = nullptr;

    // Client size in twips; the outer height is 9135 twips with a tool window's frame.
    static constexpr int kClientWidthTwips = 7305;
    static constexpr int kClientHeightTwips = 8790;
    static constexpr int kButtonTopTwips = 9135 - 900;

    static KonfigControls build(QWidget *form);
};
