// SPDX-License-Identifier: MIT
#include "QtGermanTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QtDebug>

namespace {

// The catalogue of Qt's base modules (core, gui, widgets), where every text of Qt's own
// dialogs lives.
constexpr char16_t kCatalogue[] = u"qtbase_de";

} // namespace

QtGermanTexts::QtGermanTexts()
{
    const QString name = QString::fromUtf16(kCatalogue);
    m_loaded =
        m_translator.load(name, folder()) && QCoreApplication::installTranslator(&m_translator);
    if (!m_loaded) {
        qWarning("Qt's German texts (%s.qm) are missing in %s; Qt's dialogs show English texts",
                 qPrintable(name), qPrintable(folder()));
    }
}

QtGermanTexts::~QtGermanTexts()
{
    if (m_loaded) {
        QCoreApplication::removeTranslator(&m_translator);
    }
}

QString QtGermanTexts::folder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}
