// SPDX-License-Identifier: MIT
#include "KonfigSettings.h"
#include "OverlayFont.h"
#include "OverlayGeometry.h"
#include "OverlayGlyphCache.h"
#include "OverlayRenderer.h"
#include "OverlayStyle.h"
#include "frmText.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr QRgb kOrange = 0xFFEB8620;     // BackgroundColor 2131691 at full opacity
constexpr qint32 kBlueColour = 0xFF0000; // blue in the settings' red-lowest order

struct Census
{
    int fill = 0;    // exactly the fill colour
    int outline = 0; // blue-dominated
    int shadow = 0;  // faint and black
    int clear = 0;   // fully transparent
};

Census census(const QImage &image)
{
    Census c;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int a = qAlpha(p);
            c.fill += p == kOrange ? 1 : 0;
            c.outline += a > 0 && qBlue(p) > 150 && qRed(p) < 80 ? 1 : 0;
            c.shadow += a >= 20 && a <= 100 && qRed(p) < 10 && qGreen(p) < 10 && qBlue(p) < 10;
            c.clear += a == 0 ? 1 : 0;
        }
    }
    return c;
}

OverlayStyle testStyle(bool outline, bool shadow, int size = 30)
{
    OverlayStyle style;
    style.textSize = size;
    style.fill = kOrange;
    style.outline = argb_from_colour(kBlueColour, 255);
    style.outlineOn = outline;
    style.shadowOn = shadow;
    return style;
}

// The whole text as one path, stroked and filled layer by layer at full precision: what
// the renderer's glyph pictures stand in for.
QImage pathDrawing(const QString &text, const OverlayStyle &style, qreal drawingWidth, QSize size,
                   qreal ratio)
{
    QImage image(QSize(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio))),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QFont font(OverlayFont::family());
    font.setBold(true);
    font.setPixelSize(style.textSize);
    const QFontMetricsF metrics(font);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    qreal baseline = metrics.ascent();
    for (const QString &line : OverlayGeometry::drawnLines(text)) {
        path.addText(drawingWidth - metrics.horizontalAdvance(line), baseline, font, line);
        baseline += metrics.lineSpacing();
    }
    const auto pen = [](QRgb argb) {
        return QPen(QColor::fromRgba(argb), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    };
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (style.shadowOn) {
        const QPainterPath shadow = path.translated(2, 2);
        if (style.outlineOn) {
            painter.strokePath(shadow, pen(OverlayStyle::kShadowArgb));
        }
        painter.fillPath(shadow, QColor::fromRgba(OverlayStyle::kShadowArgb));
    }
    if (style.outlineOn) {
        painter.strokePath(path, pen(style.outline));
    }
    painter.fillPath(path, QColor::fromRgba(style.fill));
    return image;
}

bool edgesClear(const QImage &picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        const int step = y == 0 || y == picture.height() - 1 ? 1 : picture.width() - 1;
        for (int x = 0; x < picture.width(); x += step) {
            if (qAlpha(picture.pixel(x, y)) != 0) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

class TestOverlay : public QObject
{
    Q_OBJECT

private slots:
    void styleFromSettings_data();
    void styleFromSettings();
    void lineCount_data();
    void lineCount();
    void placement_data();
    void placement();
    void switches_data();
    void switches();
    void emptyTextAndCutShadow();
    void matchesPathDrawing_data();
    void matchesPathDrawing();
    void glyphPicturesHoldTheWholeStroke_data();
    void glyphPicturesHoldTheWholeStroke();
    void glyphCacheStaysSmall();
    void windowFollowsTheText();
    void noCompositorCutsTheWindow();
    void hugeTextStaysBounded();
};

void TestOverlay::styleFromSettings_data()
{
    QTest::addColumn<qint16>("size");
    QTest::addColumn<qint16>("opaque");
    QTest::addColumn<QString>("fill");
    QTest::addColumn<int>("expectedSize");
    QTest::addColumn<quint32>("expectedFill");
    QTest::newRow("as saved") << qint16(18) << qint16(225) << u"2131691"_s << 18 << 0xE1EB8620u;
    QTest::newRow("size 0, opacity too high, colour no number")
        << qint16(0) << qint16(300) << u"orange"_s << 6 << 0xFFEB8620u;
    QTest::newRow("size 500, negative opacity")
        << qint16(500) << qint16(-4) << u"2131691"_s << 200 << 0x00EB8620u;
    QTest::newRow("negative colour") << qint16(18) << qint16(255) << u"-1"_s << 18 << 0xFF000000u;
    QTest::newRow("colour too large")
        << qint16(18) << qint16(255) << u"99999999"_s << 18 << 0xFFFFFFFFu;
}

void TestOverlay::styleFromSettings()
{
    QFETCH(qint16, size);
    QFETCH(qint16, opaque);
    QFETCH(QString, fill);
    KonfigSettings settings;
    settings.Text_Size = size;
    settings.Opaque = opaque;
    settings.BackgroundColor = fill;
    const OverlayStyle style = OverlayStyle::from(settings);
    QTEST(style.textSize, "expectedSize");
    QTEST(style.fill, "expectedFill");
}

void TestOverlay::lineCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    QTest::newRow("two lines") << u"A : 1\r\nB: 2"_s << 2;
    QTest::newRow("side by side") << u"ÖL : 1 -- BÄR: 2 -- ÜBER: 3 -- öl: 4"_s << 4;
    QTest::newRow("no colon") << u"keine Stationen hinterlegt."_s << 1;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("only a colon") << u":"_s << 1;
}

void TestOverlay::lineCount()
{
    QFETCH(QString, text);
    QTEST(OverlayGeometry::lineCount(text, true), "lines");
}

void TestOverlay::placement_data()
{
    QTest::addColumn<qint32>("storedX");
    QTest::addColumn<qint32>("storedY");
    QTest::addColumn<qint32>("taskbar");
    QTest::addColumn<QPoint>("topLeft");
    // A 3000 x 375 twips overlay on a 1920 x 1080 screen at 96 DPI.
    QTest::newRow("above a 40 px taskbar") << 0 << 0 << 40 << QPoint(25790, 15225);
    QTest::newRow("no taskbar") << 0 << 0 << 0 << QPoint(25790, 15825);
    QTest::newRow("one stored coordinate is 0") << 0 << 500 << 40 << QPoint(25790, 15225);
    QTest::newRow("stored position") << 1500 << 750 << 40 << QPoint(1500, 750);
    QTest::newRow("side taskbar: full height") << 0 << 0 << 1080 << QPoint(25790, -375);
}

void TestOverlay::placement()
{
    QFETCH(qint32, storedX);
    QFETCH(qint32, storedY);
    QFETCH(qint32, taskbar);
    const OverlayGeometry::Screen screen{QRect(0, 0, 1920, 1080), 15.0, 15.0};
    QTEST(OverlayGeometry::placeTwips(screen, 3000, 375, storedX, storedY, taskbar), "topLeft");
    QCOMPARE(OverlayGeometry::windowHeightTwips(1, 20), 375.0);
}

void TestOverlay::switches_data()
{
    QTest::addColumn<bool>("outline");
    QTest::addColumn<bool>("shadow");
    QTest::newRow("outline and shadow") << true << true;
    QTest::newRow("outline only") << true << false;
    QTest::newRow("shadow only") << false << true;
    QTest::newRow("neither") << false << false;
}

void TestOverlay::switches()
{
    QFETCH(bool, outline);
    QFETCH(bool, shadow);
    const OverlayRenderer renderer(OverlayFont::family());
    const QImage image =
        renderer.render(u"ALPHA : 0057"_s, testStyle(outline, shadow), 290, 320, 38);
    const Census c = census(image);
    QVERIFY2(c.fill > 100, qPrintable(QString::number(c.fill)));
    QCOMPARE(c.outline > 20, outline);
    QCOMPARE(c.shadow > 20, shadow);
    // Everything away from the glyphs stays fully transparent.
    QVERIFY(c.clear > image.width() * image.height() / 3);
    QCOMPARE(image.pixel(0, image.height() - 1), 0u);
}

void TestOverlay::emptyTextAndCutShadow()
{
    const OverlayRenderer renderer(OverlayFont::family());
    QCOMPARE(census(renderer.render(QString(), testStyle(true, true), 90, 100, 30)).clear, 3000);
    // Right-aligned to the image's edge, the shadow's 2 px lie past it and are cut off,
    // not wrapped round or drawn into memory beyond the picture.
    const QImage image = renderer.render(u"I"_s, testStyle(false, true), 40, 40, 30);
    QVERIFY(census(image).fill > 0);
    QCOMPARE(image.size(), QSize(40, 30));
}

void TestOverlay::matchesPathDrawing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("size");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("outline");
    QTest::addColumn<bool>("shadow");
    const QString stations = u"ALPHA : 0057\r\nBETA: 0003"_s;
    QTest::newRow("small, strokes of neighbours touch") << stations << 12 << 1.0 << true << true;
    QTest::newRow("ratio 1.5, shadow only") << stations << 30 << 1.5 << false << true;
    QTest::newRow("ratio 2, outline only") << stations << 40 << 2.0 << true << false;
    QTest::newRow("fallback fonts, a mark struck through a letter")
        << u"A → 漢字 : O\u0338"_s << 30 << 1.0 << true << true;
}

void TestOverlay::matchesPathDrawing()
{
    QFETCH(QString, text);
    QFETCH(int, size);
    QFETCH(qreal, ratio);
    QFETCH(bool, outline);
    QFETCH(bool, shadow);
    // Translucent, as by default, so that layers drawn twice show.
    OverlayStyle style = testStyle(outline, shadow, size);
    style.fill = argb_from_colour(2131691, 225);
    style.outline = argb_from_colour(0, 225);
    const OverlayRenderer renderer(OverlayFont::family());
    const QSize window(int(renderer.measure(text, size).width()) + 4, 4 * size);
    const qreal drawingWidth = window.width() - size;
    renderer.render(text, style, drawingWidth, window.width(), window.height(), ratio);
    // Twice, so the second picture comes from the cache.
    const QImage drawn =
        renderer.render(text, style, drawingWidth, window.width(), window.height(), ratio);
    const QImage expected = pathDrawing(text, style, drawingWidth, window, ratio);
    QCOMPARE(drawn.size(), expected.size());
    QCOMPARE(drawn.devicePixelRatio(), ratio);

    // Glyphs sit within an eighth of a pixel of their exact place, which moves an
    // edge pixel's coverage by up to an eighth; a misplaced or clipped glyph moves far more.
    int inked = 0;
    int close = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb a = drawn.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            if (qAlpha(a) == 0 && qAlpha(b) == 0) {
                continue;
            }
            ++inked;
            close +=
                std::max({std::abs(qAlpha(a) - qAlpha(b)), std::abs(qRed(a) - qRed(b)),
                          std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))}) <= 40;
        }
    }
    QVERIFY2(inked > 10 * size, qPrintable(QString::number(inked)));
    QVERIFY2(close >= inked * 0.99, qPrintable(u"%1 of %2"_s.arg(close).arg(inked)));
}

void TestOverlay::glyphPicturesHoldTheWholeStroke_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("smallest") << OverlayStyle::kMinTextSize << 1.0;
    QTest::newRow("ratio 1.25") << 30 << 1.25;
    QTest::newRow("large, ratio 2") << 120 << 2.0;
}

void TestOverlay::glyphPicturesHoldTheWholeStroke()
{
    // Sharp corners, whose mitres reach furthest past the glyph's own box: every picture
    // must end in a clear row and column on each side, or the outline is cut.
    QFETCH(int, size);
    QFETCH(qreal, ratio);
    QFont font(OverlayFont::family());
    font.setBold(true);
    font.setPixelSize(size);
    const QRawFont raw = QRawFont::fromFont(font);
    OverlayGlyphCache cache;
    cache.setLook(testStyle(true, true, size), ratio);
    for (const quint32 index : raw.glyphIndexesForString(u"AVWMK47"_s)) {
        for (int sub = 0; sub < OverlayGlyphCache::kSubpixels; ++sub) {
            const OverlayGlyphCache::Glyph glyph = cache.glyph(raw, index, sub, 3 - sub);
            for (const OverlayGlyphCache::Picture &picture : glyph) {
                QVERIFY(!picture.image.isNull());
                QVERIFY2(edgesClear(picture.image), qPrintable(QString::number(index)));
            }
        }
    }
}

void TestOverlay::glyphCacheStaysSmall()
{
    constexpr qint64 kBound = 256 << 10;
    OverlayGlyphCache cache(kBound);
    OverlayStyle style = testStyle(true, true);
    cache.setLook(style, 1.0);
    QFont font(OverlayFont::family());
    font.setBold(true);
    for (int size = 10; size <= 200; size += 10) {
        font.setPixelSize(size);
        const QRawFont raw = QRawFont::fromFont(font);
        for (const quint32 index : raw.glyphIndexesForString(u"STATION0123456789"_s)) {
            // Even a glyph too large to keep is drawn.
            QVERIFY(!cache.glyph(raw, index, 0, 0)[OverlayGlyphCache::Fill].image.isNull());
            QVERIFY(cache.bytes() <= kBound);
        }
    }
    QVERIFY(cache.count() > 0);
    // Pictures in another colour are of no further use.
    style.fill = 0xFF00FF00;
    cache.setLook(style, 1.0);
    QCOMPARE(cache.count(), 0);
}

void TestOverlay::windowFollowsTheText()
{
    KonfigSettings settings;
    settings.Text_Size = 20;
    const qint32 taskbar = 40;
    frmText overlay({settings, taskbar, [] { return true; }});
    overlay.show();
    QVERIFY(!overlay.isVisible()); // nothing to show yet

    overlay.set_Print_Text(u"ÄÖÜö : 0057"_s);
    QCOMPARE(overlay.get_text(), u"AEOEUEö : 0057"_s); // capital umlauts spelled out
    QVERIFY(overlay.isVisible());
    QCOMPARE(overlay.windowTitle(), u"Form2"_s);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double tpp = 1440.0 / screen->logicalDotsPerInchY();
    const int height = qRound(375 / tpp);
    QCOMPARE(overlay.height(), height);
    // Resting on the taskbar.
    QCOMPARE(overlay.geometry().bottom() + 1, screen->geometry().height() - taskbar);

    overlay.set_Print_Text(u"A : 1\r\nB: 2\r\nC: 3"_s);
    QCOMPARE(overlay.height(), 3 * height);
    settings.window_pos_x = 1500;
    settings.window_pos_y = 750;
    overlay.redraw_text();
    QCOMPARE(overlay.pos(), QPoint(qRound(1500 / tpp), qRound(750 / tpp)));

    overlay.set_Print_Text(QString());
    QVERIFY(!overlay.isVisible());
}

void TestOverlay::noCompositorCutsTheWindow()
{
    KonfigSettings settings;
    const qint32 taskbar = 0;
    bool composited = false;
    frmText overlay({settings, taskbar, [&composited] { return composited; }});
    overlay.show();
    overlay.set_Print_Text(u"ALPHA : 0057"_s);
    // Cut to the letters: the desktop shows around and between them.
    const QRegion mask = overlay.mask();
    QVERIFY(!mask.isEmpty());
    QVERIFY(!mask.contains(QPoint(0, overlay.height() - 1)));
    QVERIFY(mask.boundingRect().width() > overlay.width() / 2);

    composited = true;
    QTRY_VERIFY_WITH_TIMEOUT(overlay.mask().isEmpty(), 3 * frmText::kCompositorCheckMs);
}

void TestOverlay::hugeTextStaysBounded()
{
    KonfigSettings settings;
    settings.Text_Size = 200;
    settings.horizontal = 1;
    const qint32 taskbar = 0;
    frmText overlay({settings, taskbar, [] { return true; }});
    QString text;
    for (int i = 0; i < 5000; ++i) {
        text += u" -- STATION"_s + QString::number(i) + u": 0001"_s;
    }
    overlay.show();
    overlay.set_Print_Text(text);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(overlay.width() <= 2 * screen.width());
    QVERIFY(overlay.height() <= 2 * screen.height());
}

QTEST_MAIN(TestOverlay)
#include "tst_overlay.moc"
