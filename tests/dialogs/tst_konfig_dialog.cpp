// SPDX-License-Identifier: MIT
#include "Autostart.h"
#include "ColourPicker.h"
#include "IniFile.h"
#include "KonfigKeys.h"
#include "KonfigSettings.h"
#include "Messenger.h"
#include "TestFiles.h"
#include "frmKonfig.h"
#include "frmKonfig_position.h"
#include "frmText.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString kWrong = u"Falsche Eingabe der oder des Stationsnamens!\r\n"_s;
const QString kSaved = u"Die Einstellungen wurden gespeichert. "_s;
const QString kNotSaved = u"Die Einstellungen konnten nicht gespeichert werden: "_s;

class RecordingAutostart final : public Autostart
{
public:
    bool SetAutostart(const QString &name, const QString &command) override
    {
        calls.append(u"set "_s + name + u" "_s + command);
        return true;
    }
    bool RemoveAutostart(const QString &name) override
    {
        calls.append(u"remove "_s + name);
        return false;
    }
    QStringList calls;
};

class RecordingMessenger final : public Messenger
{
public:
    void inform(QWidget *, const QString &text, std::function<void()> then) override
    {
        texts.append(text);
        if (then) {
            then();
        }
    }
    QStringList texts;
};

// Answers every opening with answer; nullopt is a cancel.
class ScriptedPicker final : public ColourPicker
{
public:
    void choose(QWidget *, const QColor &, Palette &, Done done) override { done(answer); }
    std::optional<QColor> answer;
};

// Settings with a file in a temporary folder, a live overlay and recording seams.
struct World
{
    QTemporaryDir dir;
    KonfigSettings konfig;
    FileReplacer::StepHook saveHook;
    qint32 taskbar = 40;
    frmText overlay{{konfig, taskbar, [] { return true; }}};
    RecordingAutostart autostart;
    RecordingMessenger messenger;
    ScriptedPicker picker;
    int loads = 0;

    World()
    {
        konfig.ini_path = QDir(dir.path()).filePath(u"Mirkan_DesktopTool.ini"_s);
        konfig.stations = u"alpha;beta"_s;
        overlay.set_Print_Text(u"ALPHA: 12\r\nBETA: 7"_s);
    }

    std::unique_ptr<frmKonfig> open()
    {
        return std::make_unique<frmKonfig>(frmKonfig::Services{
            konfig, overlay, autostart, messenger, picker, u"/opt/mirkan/Other"_s, [] {},
            [this] {
                ++loads;
                KonfigKeys::readFile(konfig);
            },
            saveHook});
    }

    QByteArray fileBytes() const { return readBytes(konfig.ini_path); }
};

template <typename W> W *control(QWidget *form, const QString &name)
{
    auto *widget = form->findChild<W *>(name);
    Q_ASSERT(widget);
    return widget;
}

} // namespace

class TestKonfigDialog : public QObject
{
    Q_OBJECT

private slots:
    void saveWritesEveryKeyInOrder()
    {
        World world;
        world.konfig.Text_Size = 40; // from a hand-edited file: the bar shows 30
        world.konfig.window_pos_x = 1500;
        world.konfig.window_pos_y = 3000;
        world.konfig.BackgroundColor = u"-2147483640"_s; // a system colour: never written
        world.konfig.OutlineColor = u"33554431"_s;       // beyond 24 bits, kept as it is
        auto form = world.open();
        form->show();
        control<QLineEdit>(form.get(), u"Text1"_s)->setText(u"  Eins;ZWEI "_s);
        control<QScrollBar>(form.get(), u"tranzparency"_s)->setValue(200);
        control<QScrollBar>(form.get(), u"Update_Inter"_s)->setValue(5);
        control<QCheckBox>(form.get(), u"Check_schatten"_s)->setChecked(false);
        control<QCheckBox>(form.get(), u"Check_autostart"_s)->setChecked(true);
        control<QCheckBox>(form.get(), u"Check_only_changes"_s)->setChecked(true);
        control<QScrollBar>(form.get(), u"HScroll_check_time_in_seconds"_s)->setValue(7);
        control<QCheckBox>(form.get(), u"Check_write_file"_s)->setChecked(true);
        control<QPushButton>(form.get(), u"Command1"_s)->click();

        const QByteArray expected = "[Konfig]\r\n"
                                    "stations=eins;zwei\r\n"
                                    "OutlineColor=33554431\r\n"
                                    "UpdateInterval=5\r\n"
                                    "Opaque=200\r\n"
                                    "Text_Ouline=1\r\n"
                                    "Text_Shadow=0\r\n"
                                    "Text_Size=30\r\n"
                                    "autostart=1\r\n"
                                    "only_changes=1\r\n"
                                    "changes_visible_in_seconds=7\r\n"
                                    "write_title2file=1\r\n"
                                    "window_pos_x=1500\r\n"
                                    "window_pos_y=3000\r\n"
                                    "horizontal=0\r\n";
        QCOMPARE(world.fileBytes(), expected);
        QCOMPARE(world.autostart.calls,
                 QStringList{u"set Other "_s +
                             QDir::toNativeSeparators(u"/opt/mirkan/Mirkan_DesktopTool"_s)});
        QCOMPARE(world.loads, 1);
        QCOMPARE(world.konfig.stations, u"eins;zwei"_s);
        QCOMPARE(world.messenger.texts, QStringList{kSaved});
        QVERIFY(!form->isVisible());

        // Saving again with the box clear removes the entry under the same name.
        auto again = world.open();
        control<QCheckBox>(again.get(), u"Check_autostart"_s)->setChecked(false);
        control<QPushButton>(again.get(), u"Command1"_s)->click();
        QCOMPARE(world.autostart.calls.last(), u"remove Other"_s);
    }

    void refusedSaveKeepsWindowOpen_data()
    {
        QTest::addColumn<QString>("input"); // the station list typed; "" leaves it
        QTest::addColumn<QString>("fault"); // of the file; "" for none
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("warningLine"); // the window says the file could not be read
        const auto without = [](const QString &what) -> QString {
            return kWrong + u"Bitte nur den Stationsnamen ohne '"_s + what +
                   u"' eintragen.\r\nBeipsiel: eins"_s;
        };
        const auto input = [](const char *name, const QString &text, const QString &message) {
            QTest::newRow(name) << text << QString() << message << false;
        };
        input("comma, no example line", u"eins, zwei"_s,
              kWrong + u"Für mehrere Stationen bitte ein ; verwenden "_s);
        input("HTTP in capitals", u"HTTP://eins"_s, without(u"http"_s));
        input("platform domain", u"Mirkan.Example/eins"_s, without(u"mirkan.example"_s));
        input(".live", u" eins.live "_s, without(u".live"_s));
        const QString unreadable =
            kNotSaved + u"Die Datei konnte beim Start nicht gelesen werden. "_s;
        QTest::newRow("disk full")
            << QString() << u"full"_s
            << kNotSaved + u"Auf dem Datenträger ist kein Platz mehr frei."_s << false;
        QTest::newRow("a folder at the file's place")
            << QString() << u"folder"_s
            << unreadable +
                   u"An ihrer Stelle liegt keine gewöhnliche Datei. Sie wird nicht ersetzt."_s
            << true;
        // Defaults were loaded in its place; that the file reads now changes nothing.
        QTest::newRow("too large at the start, small now")
            << QString() << u"large"_s
            << unreadable + u"Sie ist größer als 32 MiB. Sie wird nicht ersetzt."_s << true;
    }

    // The file and the logon entry stay as they were; the window stays open with the user's
    // text and says why in one message box, with one warning on the log for a fault.
    void refusedSaveKeepsWindowOpen()
    {
        QFETCH(QString, input);
        QFETCH(QString, fault);
        QFETCH(QString, message);
        QFETCH(bool, warningLine);
        // Any warning but the offscreen platform's own fails, so a second one shows.
        QTest::failOnWarning(QRegularExpression(u"^(?!This plugin does not support)"_s));
        World world;
        QString &path = world.konfig.ini_path;
        PutIniString(u"Konfig"_s, u"stations"_s, u"mine"_s, path);
        if (fault == u"full"_s) {
            world.saveHook = [](FileReplacer::Step step) {
                return step == FileReplacer::Step::Write ? ENOSPC : 0;
            };
        } else if (fault == u"folder"_s) {
            QVERIFY(QFile::remove(path));
            QVERIFY(QDir().mkdir(path));
        } else if (fault == u"large"_s) {
            QVERIFY(QFile::resize(path, IniFile::kMaxFileSize + 1));
        }
        if (warningLine) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^Cannot read INI file"_s));
        }
        KonfigKeys::readFile(world.konfig);
        if (fault == u"large"_s) {
            QVERIFY(QFile::resize(path, 0));
        }
        const QByteArray before = world.fileBytes();
        const QStringList files = entries(world.dir.path());

        auto form = world.open();
        form->show();
        auto *line = control<QLabel>(form.get(), u"Label_ini_problem"_s);
        QCOMPARE(line->isVisible(), warningLine);
        if (warningLine) {
            QVERIFY(
                line->text().startsWith(u"Die Einstellungsdatei konnte nicht gelesen werden."_s));
        }
        auto *stations = control<QLineEdit>(form.get(), u"Text1"_s);
        if (!input.isEmpty()) {
            stations->setText(input);
        }
        const QString typed = stations->text();
        control<QCheckBox>(form.get(), u"Check_autostart"_s)->setChecked(true);
        if (!fault.isEmpty()) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^Settings not saved"_s));
        }
        control<QPushButton>(form.get(), u"Command1"_s)->click();

        QCOMPARE(world.messenger.texts, QStringList{message});
        QVERIFY(form->isVisible());
        QCOMPARE(stations->text(), typed);
        QCOMPARE(world.fileBytes(), before);
        QCOMPARE(entries(world.dir.path()), files);
        QVERIFY(world.autostart.calls.isEmpty());
        QCOMPARE(world.loads, 0);
    }

    void closeWithoutSaving_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("Abbrechen takes the preview back") << true;
        QTest::newRow("the close box keeps it") << false;
    }

    // The live preview reaches the overlay at once; neither way of leaving writes the file.
    void closeWithoutSaving()
    {
        QFETCH(bool, cancel);
        World world;
        PutIniString(u"Konfig"_s, u"Text_Size"_s, u"18"_s, world.konfig.ini_path);
        const QByteArray before = world.fileBytes();
        world.konfig.OutlineColor = u"-5"_s;
        const KonfigSettings original = world.konfig;
        const QSize overlaySize = world.overlay.size();
        world.picker.answer = QColor(255, 0, 0);

        auto form = world.open();
        form->show();
        control<QScrollBar>(form.get(), u"scroll_font_size"_s)->setValue(30);
        QVERIFY(world.overlay.width() > overlaySize.width());
        QTest::mouseClick(control<QWidget>(form.get(), u"Picture_bg"_s), Qt::LeftButton);
        QCOMPARE(world.konfig.BackgroundColor, u"255"_s);
        control<QPushButton>(form.get(), u"Command2"_s)->click();
        if (cancel) {
            control<QPushButton>(form.get(), u"Command_cancel"_s)->click();
            QCOMPARE(world.konfig, original);
        } else {
            form->close();
            QCOMPARE(world.konfig.BackgroundColor, u"255"_s);
        }
        QCOMPARE(world.overlay.size() == overlaySize, cancel);
        QCOMPARE(world.fileBytes(), before);
        QVERIFY(!form->isVisible());
        QCOMPARE(world.loads, 0);
    }

    void valueLabels_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("intervalLabel");
        QTest::addColumn<QString>("secondsLabel");
        QTest::addColumn<int>("storedSeconds"); // in the record once the dialog is open
        QTest::newRow("one of each") << 1 << 1 << u"einmal pro Minute"_s << u"1 Sekunde"_s << 1;
        QTest::newRow("plural") << 3 << 12 << u"aller 3 Minuten"_s << u"12 Sekunden"_s << 12;
        QTest::newRow("no seconds stored")
            << 5 << 0 << u"aller 5 Minuten"_s << u"10 Sekunden"_s << 10;
        // A hand-edited file: the bars clamp, and the labels say what the bars show.
        QTest::newRow("beyond the bars")
            << 60 << 99 << u"aller 5 Minuten"_s << u"50 Sekunden"_s << 99;
    }

    void valueLabels()
    {
        QFETCH(int, interval);
        QFETCH(int, seconds);
        World world;
        world.konfig.UpdateInterval = qint16(interval);
        world.konfig.changes_visible_in_seconds = qint16(seconds);
        world.konfig.Text_Size = 10;
        auto form = world.open();

        QTEST(control<QLabel>(form.get(), u"Label6"_s)->text(), "intervalLabel");
        QTEST(control<QLabel>(form.get(), u"Label_only_changes"_s)->text(), "secondsLabel");
        QTEST(int(world.konfig.changes_visible_in_seconds), "storedSeconds");
        QCOMPARE(control<QLabel>(form.get(), u"Label_textgroesse"_s)->text(), u"Textgröße: 10"_s);
        QCOMPARE(world.konfig.UpdateInterval, qint16(interval)); // the bar never writes it
    }

    void positionDialog_data()
    {
        QTest::addColumn<QString>("finish"); // how the position window is left after a drag
        QTest::addColumn<bool>("stored");    // the dragged position is in the record
        QTest::addColumn<bool>("reset");     // the record holds 0, 0
        QTest::newRow("Übernehmen") << u"Command1"_s << true << false;
        QTest::newRow("Abbrechen") << u"Command2"_s << false << true;
        QTest::newRow("tick icon") << u"Picture1"_s << true << false;
        QTest::newRow("reset icon") << u"Picture2"_s << false << true;
        QTest::newRow("Escape on a button") << u"escape"_s << false << false;
    }

    void positionDialog()
    {
        QFETCH(QString, finish);
        QFETCH(bool, stored);
        QFETCH(bool, reset);
        World world;
        world.konfig.window_pos_x = 1500; // 100 px at 96 DPI
        world.konfig.window_pos_y = 3000;
        auto form = world.open();
        form->show();
        control<QPushButton>(form.get(), u"Command3"_s)->click();
        auto *position = form->findChild<frmKonfig_position *>();
        QVERIFY(position);
        QCOMPARE(position->pos(), QPoint(100, 200));
        QCOMPARE(position->size(), world.overlay.size());

        QTest::mousePress(position, Qt::RightButton, {}, {30, 10});
        QMouseEvent move(QEvent::MouseMove, QPointF(50, 25), position->mapToGlobal(QPointF(50, 25)),
                         Qt::NoButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(position, &move);
        QTest::mouseRelease(position, Qt::RightButton, {}, {50, 25});
        QCOMPARE(position->pos(), QPoint(120, 215));
        QCOMPARE(world.overlay.pos(), QPoint(120, 215));

        // A poll lands while the user places the overlay: the window takes the new size.
        world.overlay.set_Print_Text(u"ALPHA : 0012\r\nBETA: 0034\r\nGAMMA: 0056"_s);
        QCOMPARE(position->geometry(), world.overlay.geometry());

        if (finish == u"escape") {
            auto *button = control<QPushButton>(position, u"Command1"_s);
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Escape);
        } else {
            control<QAbstractButton>(position, finish)->click();
        }
        QVERIFY(!position->isVisible());
        const QPoint expected = stored  ? QPoint(1800, 3225)
                                : reset ? QPoint(0, 0)
                                        : QPoint(1500, 3000);
        QCOMPARE(QPoint(world.konfig.window_pos_x, world.konfig.window_pos_y), expected);
        QCOMPARE(control<QLineEdit>(form.get(), u"Text_pos_x"_s)->text(),
                 QString::number(expected.x()));
        QCOMPARE(control<QLineEdit>(form.get(), u"Text_pos_y"_s)->text(),
                 QString::number(expected.y()));
        // Closed, the window no longer holds the overlay: it goes where the record says.
        world.overlay.set_Print_Text(u"ALPHA : 0013"_s);
        QCOMPARE(world.overlay.pos() == position->pos(), stored);
    }
};

QTEST_MAIN(TestKonfigDialog)
#include "tst_konfig_dialog.moc"
