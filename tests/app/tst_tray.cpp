// SPDX-License-Identifier: MIT
#include "DialogHost.h"
#include "TrayIcon.h"

#include <QDialog>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QIcon plainIcon(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

} // namespace

class TestTray : public QObject
{
    Q_OBJECT

private slots:
    void activation_data();
    void activation();
    void tips();
    void menuOrder();
    void overlayStandsInWithoutTray();
    void dialogOpensOnce();
};

void TestTray::activation_data()
{
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<int>("refreshes");
    QTest::newRow("double-click") << QSystemTrayIcon::DoubleClick << 1;
    QTest::newRow("single click") << QSystemTrayIcon::Trigger << 0;
    QTest::newRow("right button (the menu's)") << QSystemTrayIcon::Context << 0;
    QTest::newRow("middle button") << QSystemTrayIcon::MiddleClick << 0;
}

void TestTray::activation()
{
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(int, refreshes);
    TrayIcon tray(plainIcon(Qt::green), plainIcon(Qt::red));
    QSignalSpy refresh(&tray, &TrayIcon::refreshRequested);
    QSignalSpy exit(&tray, &TrayIcon::exitRequested);
    tray.onActivated(reason);
    QCOMPARE(refresh.size(), refreshes);
    QCOMPARE(exit.size(), 0);
}

void TestTray::tips()
{
    TrayIcon tray(plainIcon(Qt::green), plainIcon(Qt::red));
    TrayView &view = tray;
    QCOMPARE(tray.toolTip(), u"Mirkan Höreranzeige"_s);
    view.set_tray_busy(true);
    QCOMPARE(tray.toolTip(), u"Daten werden geladen"_s);
    QVERIFY(tray.isBusy());
    view.set_tray_busy(false);
    QCOMPARE(tray.toolTip(), u"Mirkan Höreranzeige"_s);
    view.setToolTip(u"nächste Aktualisierung in 179 Sekunden"_s);
    QCOMPARE(tray.toolTip(), u"nächste Aktualisierung in 179 Sekunden"_s);
    // 63 characters and the NUL fill the record's field; the rest is cut.
    view.setToolTip(QString(70, u'x'));
    QCOMPARE(tray.toolTip(), QString(63, u'x'));
}

void TestTray::menuOrder()
{
    TrayIcon tray(plainIcon(Qt::green), plainIcon(Qt::red));
    QStringList entries;
    for (const QAction *action : tray.menu().actions()) {
        entries << action->objectName() + u'=' + action->text();
    }
    QCOMPARE(entries, (QStringList{u"mnuCong=Einstellungen"_s, u"mnStat=Statistik"_s,
                                   u"mnOver=Über"_s, u"mnExit=Beenden"_s}));
    QCOMPARE(tray.menu().objectName(), u"mnBar"_s);
    QSignalSpy about(&tray, &TrayIcon::aboutRequested);
    QSignalSpy exit(&tray, &TrayIcon::exitRequested);
    tray.menu().actions().at(2)->trigger();
    tray.menu().actions().at(3)->trigger();
    QCOMPARE(about.size(), 1);
    QCOMPARE(exit.size(), 1);
}

void TestTray::overlayStandsInWithoutTray()
{
    // The offscreen platform has no notification area.
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

void TestTray::dialogOpensOnce()
{
    DialogHost host;
    int made = 0;
    const auto factory = [&made] {
        ++made;
        return new QDialog;
    };
    QWidget *first = host.show(u"about"_s, factory);
    QWidget *second = host.show(u"about"_s, factory);
    QCOMPARE(made, 1);
    QCOMPARE(second, first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->windowModality(), Qt::ApplicationModal);
    // Closed, it is gone; the next opening makes a fresh one.
    QPointer<QWidget> closed = first;
    first->close();
    QTRY_VERIFY(closed.isNull());
    QWidget *third = host.show(u"about"_s, factory);
    QCOMPARE(made, 2);
    third->close();
}

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
