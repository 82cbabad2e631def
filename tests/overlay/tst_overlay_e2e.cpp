// SPDX-License-Identifier: MIT
// The built program against the built simulator on a bare X server (Xvfb, no window
// manager, no compositor): the overlay must show the text in its colour and leave
// the desktop visible around and between the letters.
#include "DesktopSession.h"

#include <QImage>

using namespace Qt::StringLiterals;

namespace {

constexpr QRgb kDesktop = 0xFF2A5D8F;
constexpr QRgb kOrange = 0xFFEB8620;

} // namespace

class TestOverlayE2E : public QObject
{
    Q_OBJECT

private slots:
    void overlayOnABareDesktop();
};

void TestOverlayE2E::overlayOnABareDesktop()
{
    const QString missing =
        DesktopSession::missingTool({u"Xvfb"_s, u"xwininfo"_s, u"xsetroot"_s, u"import"_s});
    if (!missing.isEmpty()) {
        QSKIP(qPrintable(u"needs "_s + missing + u" (scripts/setup)"_s));
    }
    DesktopSession desktop;
    QVERIFY(desktop.startX(u"1280x800x24"_s));
    QCOMPARE(desktop.status(u"xsetroot"_s, {u"-solid"_s, u"#2a5d8f"_s}), 0);

    QProcess *sim = desktop.start(QStringLiteral(MIRKAN_SIMULATOR), {});
    QVERIFY(sim);
    QTRY_VERIFY_WITH_TIMEOUT(sim->canReadLine(), 5000);
    const QByteArray port = sim->readLine().trimmed();
    QVERIFY(desktop.writeIni("stations=alpha;beta\r\nText_Size=30\r\napi_host=127.0.0.1:" + port +
                             "\r\n"));
    QVERIFY(desktop.start(QStringLiteral(MIRKAN_PROGRAM), {}));

    QRect overlay;
    QTRY_VERIFY_WITH_TIMEOUT((overlay = desktop.window(uR"("Form2")"_s)).height() > 0, 15000);
    // Two stations, one per line: two lines of 1.25 x 30 pixels, at the lower right.
    QCOMPARE(overlay.height(), 75);
    QCOMPARE(overlay.bottom() + 1, 800);
    QVERIFY(overlay.right() + 1 >= 1278 && overlay.right() + 1 <= 1280);

    QImage screen;
    QTRY_VERIFY_WITH_TIMEOUT(
        screen.loadFromData(desktop.run(u"import"_s, {u"-window"_s, u"root"_s, u"png:-"_s}),
                            "PNG") &&
            screen.pixel(overlay.right() - 40, overlay.top() + 20) != kDesktop,
        10000);
    int text = 0;
    int shown = 0;
    for (int y = overlay.top(); y <= overlay.bottom(); ++y) {
        for (int x = overlay.left(); x <= overlay.right(); ++x) {
            const QRgb p = screen.pixel(x, y) | 0xFF000000;
            text += p == kOrange ? 1 : 0;
            shown += p == kDesktop ? 1 : 0;
        }
    }
    const int area = overlay.width() * overlay.height();
    QVERIFY2(text > 200, qPrintable(QString::number(text)));
    QVERIFY2(shown > area / 3,
             qPrintable(QString::number(shown) + u" of "_s + QString::number(area)));
    // The desktop also shows inside the letters' rows, not only around the block.
    QCOMPARE(screen.pixel(overlay.left() + 1, overlay.top() + 1) | 0xFF000000, kDesktop);
}

QTEST_GUILESS_MAIN(TestOverlayE2E)
#include "tst_overlay_e2e.moc"
