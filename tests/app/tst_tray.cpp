// SPDX-License-Identifier: MIT
#include "ColourPicker.h"
#include "DesktopProgram.h"
#include "DialogHost.h"
#include "Messenger.h"
#include "TrayIcon.h"

#include <QDialog>
#include <QPixmap>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QIcon plainIcon(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QMenu *programMenu()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == u"mnBar"_s) {
            return qobject_cast<QMenu *>(widget);
        }
    }
    return nullptr;
}

// A window as the settings make it: modal by its own wish, with a button inside.
QDialog *modalWindow()
{
    auto *dialog = new QDialog;
    dialog->setModal(true);
    auto *inside = new QPushButton(u"inside"_s, dialog);
    inside->setObjectName(u"inside"_s);
    return dialog;
}

// Clicks through the window system, where a modal window blocks the clicks meant for
// the windows it belongs to.
bool clicks(QPushButton *button)
{
    QSignalSpy clicked(button, &QPushButton::clicked);
    QWidget *window = button->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      button->mapTo(window, button->rect().center()));
    return clicked.size() == 1;
}

} // namespace

class TestTray : public QObject
{
    Q_OBJECT

private slots:
    void activation_data()
    {
        QTest::addColumn<bool>("hostReportsDoubleClicks");
        QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
        QTest::addColumn<int>("refreshes");
        QTest::newRow("double-click") << true << QSystemTrayIcon::DoubleClick << 1;
        QTest::newRow("single click") << true << QSystemTrayIcon::Trigger << 0;
        QTest::newRow("right button (the menu's)") << true << QSystemTrayIcon::Context << 0;
        // A panel speaking D-Bus sends one activation for a click and no double-click.
        QTest::newRow("D-Bus host: the activation") << false << QSystemTrayIcon::Trigger << 1;
    }

    void activation()
    {
        QFETCH(bool, hostReportsDoubleClicks);
        QFETCH(QSystemTrayIcon::ActivationReason, reason);
        QFETCH(int, refreshes);
        TrayIcon tray(plainIcon(Qt::green), plainIcon(Qt::red),
                      [hostReportsDoubleClicks] { return hostReportsDoubleClicks; });
        QSignalSpy refresh(&tray, &TrayIcon::refreshRequested);
        QSignalSpy exit(&tray, &TrayIcon::exitRequested);
        tray.onActivated(reason);
        QCOMPARE(refresh.size(), refreshes);
        QCOMPARE(exit.size(), 0);
    }

    void tips()
    {
        TrayIcon tray(plainIcon(Qt::green), plainIcon(Qt::red));
        QCOMPARE(tray.toolTip(), u"Mirkan Höreranzeige"_s);
        tray.set_tray_busy(true);
        QCOMPARE(tray.toolTip(), u"Daten werden geladen"_s);
        tray.set_tray_busy(false);
        QCOMPARE(tray.toolTip(), u"Mirkan Höreranzeige"_s);
    }

    void menuOpensItsWindow_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("window"); // the class of the window that must open
        QTest::newRow("Einstellungen") << 0 << u"frmKonfig"_s;
        QTest::newRow("Statistik") << 1 << u"frmGraph"_s;
        QTest::newRow("Über") << 2 << u"frmAbout"_s;
    }

    void menuOpensItsWindow()
    {
        QFETCH(int, entry);
        QFETCH(QString, window);
        QTemporaryDir folder;
        DesktopProgram program({folder.path(), folder.path(), false});
        QMenu *menu = programMenu();
        QVERIFY(menu);
        QStringList entries;
        for (const QAction *action : menu->actions()) {
            entries << action->objectName() + u'=' + action->text();
        }
        QCOMPARE(entries, (QStringList{u"mnuCong=Einstellungen"_s, u"mnStat=Statistik"_s,
                                       u"mnOver=Über"_s, u"mnExit=Beenden"_s}));
        const auto shown = [] {
            QStringList names;
            for (const QWidget *widget : QApplication::topLevelWidgets()) {
                if (widget->isVisible()) {
                    names << QString::fromLatin1(widget->metaObject()->className());
                }
            }
            return names;
        };
        QCOMPARE(shown(), QStringList());
        // Chosen twice, an entry still shows one window of its kind.
        menu->actions().at(entry)->trigger();
        menu->actions().at(entry)->trigger();
        QCOMPARE(shown(), QStringList{window});
    }

    void overlayStandsInWithoutTray()
    {
        TrayIcon tray(plainIcon(Qt::green), plainIcon(Qt::red));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"No notification area"_s));
        tray.add();
        QVERIFY(!tray.isShown());
        QSignalSpy refresh(&tray, &TrayIcon::refreshRequested);
        tray.overlayDoubleClicked();
        QCOMPARE(refresh.size(), 1);
        tray.overlayContextMenu(QPoint(100, 100));
        QTRY_VERIFY(tray.menu().isVisible());
        tray.menu().close();
    }

    // A stand-in for the tray (a window of its own) must take clicks whatever is open; a
    // message box or colour dialog blocks only the window it belongs to.
    void windowsNeverBlockTheTray_data()
    {
        QTest::addColumn<QString>("onTop");
        QTest::newRow("window that asks to be modal") << QString();
        QTest::newRow("message box on it") << u"message box"_s;
        QTest::newRow("colour dialog on it") << u"colour dialog"_s;
    }

    void windowsNeverBlockTheTray()
    {
        QFETCH(QString, onTop);
        QPushButton tray(u"tray"_s);
        tray.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tray));
        DialogHost host;
        QWidget *window = host.show(u"settings"_s, modalWindow);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        DesktopMessenger messenger;
        DesktopColourPicker colours;
        ColourPicker::Palette palette{};
        if (onTop == u"message box") {
            messenger.inform(window, u"Die Einstellungen wurden gespeichert. "_s);
        } else if (onTop == u"colour dialog") {
            colours.choose(window, Qt::green, palette, [](std::optional<QColor>) {});
        }
        QVERIFY(!QGuiApplication::modalWindow() ||
                QGuiApplication::modalWindow()->modality() != Qt::ApplicationModal);
        QVERIFY(clicks(&tray));
        QCOMPARE(clicks(window->findChild<QPushButton *>(u"inside"_s)), onTop.isEmpty());
    }
};

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
