// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QTranslator>

// Qt's own texts in German while it lives, whatever the user's locale, since the
// program speaks German: the colour dialog's caption, labels and buttons, the buttons
// of message boxes, the context menus of text fields. Qt's catalogue comes from Qt's
// translation folder (Debian: qt6-translations-l10n); without it Qt's texts stay
// English, with one warning. Create it once the application object exists and before
// any window.
class QtGermanTexts
{
public:
    QtGermanTexts();
    QtGermanTexts(const QtGermanTexts &) = delete;
    QtGermanTexts &operator=(const QtGermanTexts &) = delete;
    ~QtGermanTexts();

    bool isLoaded() const { return m_loaded; }

    // Where Qt's catalogue lies.
    static QString folder();

private:
    QTranslator m_translator;
    bool m_loaded = false;
};
