// SPDX-License-Identifier: MIT
// The position window while the overlay changes under it: a poll that lands while the
// user places the overlay must not leave a stale picture or put the overlay on top.
#include "KonfigSettings.h"
#include "frmKonfig_position.h"
#include "frmText.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPosition : public QObject
{
    Q_OBJECT

private slots:
    void keepsInStepWithTheOverlay_data();
    void keepsInStepWithTheOverlay();
};

void TestPosition::keepsInStepWithTheOverlay_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("stored");
    QTest::newRow("Übernehmen") << u"Command1"_s << true;
    QTest::newRow("Abbrechen: placed automatically") << u"Command2"_s << false;
}

void TestPosition::keepsInStepWithTheOverlay()
{
    QFETCH(QString, button);
    QFETCH(bool, stored);
    KonfigSettings konfig;
    konfig.window_pos_x = 1500;
    konfig.window_pos_y = 3000;
    const qint32 taskbar = 0;
    frmText overlay({konfig, taskbar, [] { return true; }});
    overlay.show();
    overlay.set_Print_Text(u"A : 1"_s);
    frmKonfig_position position(konfig, overlay);
    position.show();

    // A poll lands: a larger text.
    overlay.set_Print_Text(u"ALPHA : 0012\r\nBETA: 0034\r\nGAMMA: 0056"_s);
    QCOMPARE(position.size(), overlay.size());
    QCOMPARE(overlay.pos(), position.pos());
    // The window shows the new text where the overlay draws it.
    const QImage picture = overlay.picture();
    const QImage shown = position.grab().toImage();
    QPoint ink;
    for (int y = 0; y < picture.height() && ink.isNull(); ++y) {
        for (int x = 0; x < picture.width() && ink.isNull(); ++x) {
            ink = qAlpha(picture.pixel(x, y)) > 200 && qRed(picture.pixel(x, y)) > 200 ? QPoint(x, y)
                                                                                      : ink;
        }
    }
    QVERIFY(!ink.isNull());
    QVERIFY2(qRed(shown.pixel(ink)) > 150, qPrintable(QString::number(shown.pixel(ink), 16)));

    position.findChild<QPushButton *>(button)->click();
    QCOMPARE(konfig.window_pos_x != 0, stored);
    // Closed, the window no longer holds the overlay: it goes where the record says.
    overlay.set_Print_Text(u"ALPHA : 0013"_s);
    const QPoint automatic = overlay.pos();
    QCOMPARE(automatic == position.pos(), stored);
}

QTEST_MAIN(TestPosition)
#include "tst_position.moc"
