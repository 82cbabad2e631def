// SPDX-License-Identifier: MIT
// Qt's colour dialog as the program shows it: in German whatever the locale, and with
// its custom colours kept in memory - nothing lands in the user's configuration folder.
#include "ColourPicker.h"
#include "QtGermanTexts.h"
#include "TestFiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Every text the dialog shows in labels and buttons, without access-key marks.
QStringList textsOf(const QWidget *dialog)
{
    QStringList texts{dialog->windowTitle()};
    for (const QLabel *label : dialog->findChildren<QLabel *>()) {
        texts << label->text().remove(u'&');
    }
    for (const QAbstractButton *button : dialog->findChildren<QAbstractButton *>()) {
        texts << button->text().remove(u'&');
    }
    return texts;
}

} // namespace

class TestColourDialog : public QObject
{
    Q_OBJECT

public:
    explicit TestColourDialog(QString home) : m_home(std::move(home)) {}

private slots:
    void initTestCase()
    {
        QVERIFY2(m_texts.isLoaded(), qPrintable(u"no qtbase_de.qm in "_s + QtGermanTexts::folder() +
                                                u" (scripts/setup installs it)"_s));
    }

    void germanWithCustomColoursInMemory()
    {
        QWidget parent;
        ColourPicker::Palette palette{};
        palette[0] = qRgb(255, 0, 255);
        std::optional<QColor> chosen;
        DesktopColourPicker picker;
        picker.choose(&parent, Qt::green, palette,
                      [&chosen](std::optional<QColor> colour) { chosen = colour; });
        QPointer<QColorDialog> dialog = parent.findChild<QColorDialog *>();
        QVERIFY(dialog);
        const QStringList texts = textsOf(dialog);
        for (const QString &german : {u"Farbauswahl"_s, u"Grundfarben"_s, u"Abbrechen"_s}) {
            QVERIFY2(texts.contains(german), qPrintable(texts.join(u" | "_s)));
        }
        QCOMPARE(QColorDialog::customColor(0), QColor(255, 0, 255));
        // As "Zu benutzerdefinierten Farben hinzufügen" does.
        QColorDialog::setCustomColor(5, QColor(1, 2, 3));
        dialog->setCurrentColor(QColor(10, 20, 30));
        dialog->accept();
        QCOMPARE(chosen, std::optional<QColor>(QColor(10, 20, 30)));
        QCOMPARE(palette[5], qRgb(1, 2, 3));
        // Qt stores the custom colours as the dialog goes.
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(filesBelow(m_home), QStringList());
    }

private:
    QString m_home;
    QtGermanTexts m_texts;
};

int main(int argc, char *argv[])
{
    // The user's folders point into a temporary one before Qt first looks at them.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(u".config"_s)));
    // Whatever the user's language, the dialog speaks German.
    qputenv("LANGUAGE", "en");
    QApplication app(argc, argv);
    TestColourDialog test(home.path());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_colourdialog.moc"
