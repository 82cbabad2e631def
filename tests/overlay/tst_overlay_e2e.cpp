// SPDX-License-Identifier: MIT
// The built program against the built simulator on a virtual X server.
#include "DesktopSession.h"

#include <QImage>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

constexpr QRgb kDesktop = 0xFF2A5D8F;

// The program once its first poll has drawn; nullptr when something failed to start.
QProcess *startProgram(DesktopSession &desktop, const QStringList &stations, const QByteArray &ini)
{
    QProcess *sim = desktop.start(QStringLiteral(MIRKAN_SIMULATOR),
                                  {u"--log"_s, u"--stations"_s, stations.join(u',')});
    if (!sim || !QTest::qWaitFor([sim] { return sim->canReadLine(); }, TestTime::patience())) {
        return nullptr;
    }
    const QByteArray port = sim->readLine().trimmed();
    if (!desktop.writeIni("stations=" + stations.join(u';').toUtf8() + "\r\n" + ini +
                          "api_host=127.0.0.1:" + port + "\r\n")) {
        return nullptr;
    }
    QProcess *program = desktop.start(QStringLiteral(MIRKAN_PROGRAM), {});
    const QByteArray last = "GET /station/" + stations.last().toUtf8() + "/listeners";
    QByteArray log;
    if (!program || !QTest::qWaitFor([&] { return (log += sim->readAll()).contains(last); },
                                     TestTime::patience())) {
        return nullptr;
    }
    // The answer applied and drawn: nothing to wait on from outside.
    QTest::qWait(TestTime::ms(1000));
    return program;
}

QImage screenshot(DesktopSession &desktop)
{
    QImage screen;
    screen.loadFromData(desktop.run(u"import"_s, {u"-window"_s, u"root"_s, u"png:-"_s}), "PNG");
    return screen;
}

} // namespace

class TestOverlayE2E : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void overlayOnABareDesktop();
    void clicksPassBesideTheLetters_data();
    void clicksPassBesideTheLetters();
};

void TestOverlayE2E::init()
{
    const QString missing =
        DesktopSession::missingTool({u"Xvfb"_s, u"xwininfo"_s, u"xsetroot"_s, u"import"_s,
                                     u"xdotool"_s, u"xev"_s, u"xcompmgr"_s});
    if (!missing.isEmpty()) {
        QSKIP(qPrintable(u"needs "_s + missing + u" (scripts/setup)"_s));
    }
}

void TestOverlayE2E::overlayOnABareDesktop()
{
    DesktopSession desktop;
    QVERIFY(desktop.startX(u"1280x800x24"_s));
    QCOMPARE(desktop.status(u"xsetroot"_s, {u"-solid"_s, u"#2a5d8f"_s}), 0);
    QVERIFY(startProgram(desktop, {u"alpha"_s, u"beta"_s}, "Text_Size=30\r\n"));

    const QRect overlay = desktop.window(uR"("Form2")"_s);
    // Two lines of 1.25 x 30 pixels, at the lower right.
    QCOMPARE(overlay.height(), 75);
    QCOMPARE(overlay.bottom() + 1, 800);
    QVERIFY(overlay.right() + 1 >= 1278 && overlay.right() + 1 <= 1280);

    const QImage screen = screenshot(desktop);
    int text = 0;
    int shown = 0;
    for (int y = overlay.top(); y <= overlay.bottom(); ++y) {
        for (int x = overlay.left(); x <= overlay.right(); ++x) {
            // Orange at 225 of 255 over outline and shadow: a little darker than pure.
            const QRgb p = screen.pixel(x, y);
            text += qRed(p) >= 200 && qRed(p) <= 240 &&
                    std::abs(qGreen(p) * 235 - qRed(p) * 134) < 6 * 235 && qBlue(p) <= 40;
            shown += (p | 0xFF000000) == kDesktop;
        }
    }
    const int area = overlay.width() * overlay.height();
    QVERIFY2(text > 200, qPrintable(QString::number(text)));
    QVERIFY2(shown > area / 3,
             qPrintable(QString::number(shown) + u" of "_s + QString::number(area)));
    // The desktop also shows inside the letters' rows, not only around the block.
    QCOMPARE(screen.pixel(overlay.left() + 1, overlay.top() + 1) | 0xFF000000, kDesktop);

    // A compositor started later lets the window be whole; stopped, the cut comes back.
    const QString id =
        QString::fromLatin1(
            desktop.run(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^Form2$"_s}))
            .trimmed();
    QVERIFY(!id.isEmpty());
    const auto cut = [&desktop, &id] {
        return desktop.run(u"xwininfo"_s, {u"-id"_s, id, u"-shape"_s})
            .contains("Window shape extents");
    };
    QVERIFY(cut());
    QProcess *compositor = desktop.start(u"xcompmgr"_s, {});
    QVERIFY(compositor);
    QTRY_VERIFY_WITH_TIMEOUT(!cut(), TestTime::patience());
    compositor->kill();
    QTRY_VERIFY_WITH_TIMEOUT(cut(), TestTime::patience());
}

void TestOverlayE2E::clicksPassBesideTheLetters_data()
{
    QTest::addColumn<bool>("compositor");
    QTest::newRow("compositor") << true;
    QTest::newRow("no compositor") << false;
}

void TestOverlayE2E::clicksPassBesideTheLetters()
{
    // A window below that reports its clicks: a click on a clear pixel of the overlay
    // reaches it, one on a letter does not.
    QFETCH(bool, compositor);
    DesktopSession desktop;
    QVERIFY(desktop.startX(u"1280x800x24"_s));
    if (compositor) {
        QVERIFY(desktop.start(u"xcompmgr"_s, {}));
    }
    QProcess *below =
        desktop.start(u"xev"_s, {u"-geometry"_s, u"1280x800+0+0"_s, u"-event"_s, u"button"_s});
    QVERIFY(below);
    QTRY_VERIFY_WITH_TIMEOUT(
        !desktop
             .run(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^Event Tester$"_s})
             .isEmpty(),
        TestTime::patience());
    QVERIFY(startProgram(desktop, {u"alpha"_s, u"beta"_s, u"gamma"_s}, "Text_Size=40\r\n"));
    const QRect overlay = desktop.window(uR"("Form2")"_s);

    // Orange, or nearly so where blended, and inside a stroke, not at its edge.
    const QImage screen = screenshot(desktop);
    QPoint letter;
    for (int y = overlay.top(); y <= overlay.bottom() && letter.isNull(); ++y) {
        for (int x = overlay.right(); x >= overlay.left() && letter.isNull(); --x) {
            const QRgb p = screen.pixel(x, y);
            const bool orange =
                qRed(p) > 200 && qGreen(p) > 100 && qGreen(p) < 160 && qBlue(p) < 80;
            if (orange && qRed(screen.pixel(x - 2, y)) > 200 &&
                qRed(screen.pixel(x + 2, y)) > 200) {
                letter = {x, y};
            }
        }
    }
    QVERIFY(!letter.isNull());
    const auto click = [&desktop](QPoint at) {
        return desktop.status(u"xdotool"_s, {u"mousemove"_s, QString::number(at.x()),
                                             QString::number(at.y()), u"click"_s, u"1"_s});
    };
    QByteArray events;
    const auto clicksSeen = [&] { return (events += below->readAll()).count("ButtonPress event"); };
    QCOMPARE(click(overlay.topLeft() + QPoint(1, 1)), 0);
    QTRY_COMPARE_WITH_TIMEOUT(clicksSeen(), 1, TestTime::patience());
    QCOMPARE(click(letter), 0);
    // Too short could only hide a click that got through.
    QTest::qWait(500);
    QCOMPARE(clicksSeen(), 1);
}

QTEST_GUILESS_MAIN(TestOverlayE2E)
#include "tst_overlay_e2e.moc"
