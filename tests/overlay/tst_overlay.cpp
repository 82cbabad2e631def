// SPDX-License-Identifier: MIT
#include "KonfigSettings.h"
#include "OverlayFont.h"
#include "OverlayGeometry.h"
#include "OverlayLineMetrics.h"
#include "OverlayRenderer.h"
#include "OverlayShape.h"
#include "OverlayStyle.h"
#include "ScreenTaskbar.h"
#include "TestTime.h"
#include "frmText.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The whole text as one path, stroked and filled at full precision.
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
    const OverlayLineMetrics lines = OverlayLineMetrics::of(QRawFont::fromFont(font));
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    qreal baseline = lines.ascent * style.textSize;
    for (const QString &line : OverlayGeometry::drawnLines(text)) {
        path.addText(drawingWidth - metrics.horizontalAdvance(line), baseline, font, line);
        baseline += lines.lineSpacing * style.textSize;
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

// A shown overlay with a compositor the test switches and the cut of its window recorded.
struct Overlay
{
    explicit Overlay(bool compositor = true, bool reports = true)
        : composited(compositor), reported(reports)
    {
        window.show();
    }

    // Not 0 where the mouse reaches the window.
    QImage area() const
    {
        QImage image(window.size(), QImage::Format_Grayscale8);
        image.fill(0);
        QPainter painter(&image);
        for (const QRect &r : rects) {
            painter.fillRect(r, QColor(1, 1, 1));
        }
        return image;
    }

    KonfigSettings settings;
    qint32 taskbar = 0;
    bool composited;
    bool reported; // the desktop reports a compositor's changes
    std::function<void()> compositorChanged;
    std::vector<QRect> rects;
    bool bounding = false;
    frmText window{{settings, taskbar, [this] { return composited; },
                    [this](QWidget *, const std::vector<QRect> &r, bool b) {
                        rects = r;
                        bounding = b;
                    },
                    [this](std::function<void()> changed) {
                        compositorChanged = std::move(changed);
                        return reported ? std::make_shared<int>(0) : nullptr;
                    }}};
};

QByteArray table(std::initializer_list<std::pair<int, int>> fields, int size)
{
    QByteArray bytes(size, '\0');
    for (const auto &[offset, value] : fields) {
        bytes[offset] = char((value >> 8) & 0xFF);
        bytes[offset + 1] = char(value & 0xFF);
    }
    return bytes;
}

} // namespace

class TestOverlay : public QObject
{
    Q_OBJECT

private slots:
    void styleFromSettings_data()
    {
        QTest::addColumn<qint16>("size");
        QTest::addColumn<qint16>("opaque");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<int>("expectedSize");
        QTest::addColumn<quint32>("expectedFill");
        QTest::newRow("as saved") << qint16(18) << qint16(225) << u"2131691"_s << 18 << 0xE1EB8620u;
        QTest::newRow("size 0, opacity too high, colour no number")
            << qint16(0) << qint16(300) << u"orange"_s << 6 << 0xFFEB8620u;
        QTest::newRow("size 500, negative opacity and colour")
            << qint16(500) << qint16(-4) << u"-1"_s << 200 << 0x00000000u;
        QTest::newRow("colour too large")
            << qint16(18) << qint16(255) << u"99999999"_s << 18 << 0xFFFFFFFFu;
    }

    void styleFromSettings()
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

    void lineCount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::newRow("side by side") << u"ÖL : 1 -- BÄR: 2 -- ÜBER: 3 -- öl: 4"_s << 4;
        QTest::newRow("no colon") << u"keine Stationen hinterlegt."_s << 1;
        QTest::newRow("empty") << QString() << 0;
    }

    void lineCount()
    {
        QFETCH(QString, text);
        QTEST(OverlayGeometry::lineCount(text, true), "lines");
    }

    void placement_data()
    {
        QTest::addColumn<qint32>("storedX");
        QTest::addColumn<qint32>("storedY");
        QTest::addColumn<qint32>("taskbar");
        QTest::addColumn<QPoint>("topLeft");
        // A 3000 x 375 twips overlay on a 1920 x 1080 screen at 96 DPI.
        QTest::newRow("above a 40 px taskbar") << 0 << 0 << 40 << QPoint(25790, 15225);
        QTest::newRow("one stored coordinate is 0") << 0 << 500 << 40 << QPoint(25790, 15225);
        QTest::newRow("stored position") << 1500 << 750 << 40 << QPoint(1500, 750);
    }

    void placement()
    {
        QFETCH(qint32, storedX);
        QFETCH(qint32, storedY);
        QFETCH(qint32, taskbar);
        const OverlayGeometry::Screen screen{QRect(0, 0, 1920, 1080), 15.0, 15.0};
        QTEST(OverlayGeometry::placeTwips(screen, 3000, 375, storedX, storedY, taskbar), "topLeft");
    }

    void taskbarStrip_data()
    {
        using ScreenTaskbar::Edge;
        QTest::addColumn<QRect>("available");
        QTest::addColumn<Edge>("edge");
        QTest::addColumn<QRect>("strip");
        // A 1920 x 1080 screen at (100, 50), as the second of two side by side.
        QTest::newRow("right") << QRect(100, 50, 1872, 1080) << Edge::Right
                               << QRect(1972, 50, 48, 1080);
        QTest::newRow("none") << QRect(100, 50, 1920, 1080) << Edge::None << QRect();
        QTest::newRow("bottom and left: the bottom")
            << QRect(160, 50, 1860, 1040) << Edge::Bottom << QRect(100, 1090, 1920, 40);
        QTest::newRow("top and right: the top")
            << QRect(100, 78, 1872, 1052) << Edge::Top << QRect(100, 50, 1920, 28);
        QTest::newRow("left and right: the left")
            << QRect(160, 50, 1812, 1080) << Edge::Left << QRect(100, 50, 60, 1080);
    }

    void taskbarStrip()
    {
        QFETCH(QRect, available);
        const ScreenTaskbar::Strip strip =
            ScreenTaskbar::find(QRect(100, 50, 1920, 1080), available);
        QTEST(strip.edge, "edge");
        QTEST(strip.rect, "strip");
    }

    void matchesPathDrawing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("outline");
        QTest::addColumn<bool>("shadow");
        QTest::addColumn<bool>("atTheEdge");
        const QString stations = u"ALPHA : 0057\r\nBETA: 0003"_s;
        QTest::newRow("small, strokes of neighbours touch")
            << stations << 12 << 1.0 << true << true << false;
        QTest::newRow("ratio 1.5, shadow only") << stations << 30 << 1.5 << false << true << false;
        QTest::newRow("ratio 2, outline only") << stations << 40 << 2.0 << true << false << false;
        QTest::newRow("neither outline nor shadow")
            << stations << 30 << 1.0 << false << false << false;
        QTest::newRow("fallback fonts, a mark struck through a letter")
            << u"A → 漢字 : O\u0338"_s << 30 << 1.0 << true << true << false;
        // Not wrapped round, nor drawn into memory past the picture.
        QTest::newRow("shadow cut at the edge") << stations << 30 << 1.0 << false << true << true;
        QTest::newRow("empty text") << QString() << 30 << 1.0 << true << true << false;
    }

    void matchesPathDrawing()
    {
        QFETCH(QString, text);
        QFETCH(int, size);
        QFETCH(qreal, ratio);
        QFETCH(bool, outline);
        QFETCH(bool, shadow);
        QFETCH(bool, atTheEdge);
        OverlayStyle style;
        style.textSize = size;
        // Translucent, as by default, so that layers drawn twice show.
        style.fill = argb_from_colour(2131691, 225);
        style.outline = argb_from_colour(0, 225);
        style.outlineOn = outline;
        style.shadowOn = shadow;
        const OverlayRenderer renderer(OverlayFont::family());
        const QSize window(int(renderer.measure(text, size).width()) + 4, 4 * size);
        const qreal drawingWidth = window.width() - (atTheEdge ? 0 : size);
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
                close += std::max({std::abs(qAlpha(a) - qAlpha(b)), std::abs(qRed(a) - qRed(b)),
                                   std::abs(qGreen(a) - qGreen(b)),
                                   std::abs(qBlue(a) - qBlue(b))}) <= 40;
            }
        }
        QVERIFY2(text.isEmpty() ? inked == 0 : inked > 10 * size,
                 qPrintable(QString::number(inked)));
        QVERIFY2(close >= inked * 0.99, qPrintable(u"%1 of %2"_s.arg(close).arg(inked)));
    }

    void windowFollowsTheText()
    {
        Overlay shown;
        shown.settings.Text_Size = 20;
        frmText &overlay = shown.window;
        QVERIFY(!overlay.isVisible());

        overlay.set_Print_Text(u"ÄÖÜö : 0057"_s);
        QCOMPARE(overlay.get_text(), u"AEOEUEö : 0057"_s); // capital umlauts spelled out
        QVERIFY(overlay.isVisible());
        QCOMPARE(overlay.height(), 25);
        overlay.set_Print_Text(u"A : 1\r\nB: 2\r\nC: 3"_s);
        QCOMPARE(overlay.height(), 75);

        overlay.set_Print_Text(QString());
        QVERIFY(!overlay.isVisible());
    }

    void nothingDrawnHidesTheWindow_data()
    {
        QTest::addColumn<bool>("composited");
        QTest::addColumn<qint16>("opaque");
        QTest::addColumn<bool>("shadow");
        QTest::addColumn<bool>("shown");
        QTest::newRow("no compositor, opacity 0, no shadow")
            << false << qint16(0) << false << false;
        QTest::newRow("no compositor, opacity 0, shadow: too faint")
            << false << qint16(0) << true << false;
        // Fill over outline: still under half opaque together.
        QTest::newRow("no compositor, opacity 40: under half")
            << false << qint16(40) << false << false;
        QTest::newRow("no compositor, opacity 128") << false << qint16(128) << true << true;
        QTest::newRow("compositor, opacity 0, no shadow") << true << qint16(0) << false << false;
        QTest::newRow("compositor, opacity 0, the shade shows")
            << true << qint16(0) << true << true;
    }

    void nothingDrawnHidesTheWindow()
    {
        // Else a black box without blending, with it a patch of desktop that takes clicks.
        QFETCH(bool, composited);
        QFETCH(qint16, opaque);
        QFETCH(bool, shadow);
        Overlay overlay(composited);
        overlay.settings.Opaque = opaque;
        overlay.settings.Text_Shadow = shadow;
        overlay.window.set_Print_Text(u"ALPHA : 0057"_s);
        QTEST(overlay.window.isVisible(), "shown");
        QCOMPARE(overlay.rects.empty(), !overlay.window.isVisible());
    }

    void shapeFollowsTheDrawnPixels_data()
    {
        QTest::addColumn<bool>("composited");
        QTest::addColumn<bool>("reported");
        QTest::newRow("compositor: every pixel not fully clear") << true << true;
        QTest::newRow("no compositor: solid pixels only") << false << true;
        QTest::newRow("no compositor, changes not reported") << false << false;
    }

    void shapeFollowsTheDrawnPixels()
    {
        QFETCH(bool, composited);
        QFETCH(bool, reported);
        Overlay overlay(composited, reported);
        overlay.settings.Text_Size = 40;
        overlay.settings.Text_Ouline = false; // so that a dark pixel can only be a fringe
        overlay.window.set_Print_Text(u"ALPHA : 0057\r\nBETA: 0003"_s);
        QCOMPARE(overlay.bounding, !composited);

        QImage shown(overlay.window.size(), QImage::Format_ARGB32_Premultiplied);
        shown.fill(Qt::transparent);
        overlay.window.render(&shown, {}, {}, QWidget::RenderFlags());
        const QImage area = overlay.area();
        int inShape = 0;
        QString wrong;
        for (int y = 0; y < shown.height() && wrong.isEmpty(); ++y) {
            for (int x = 0; x < shown.width() && wrong.isEmpty(); ++x) {
                const QRgb p = shown.pixel(x, y);
                const bool drawn = composited ? qAlpha(p) > 0 : qAlpha(p) == 255;
                inShape += drawn ? 1 : 0;
                // Without a compositor nothing is half-way, and drawn pixels have the
                // text's colour, not the dark fringe of premultiplied edges.
                const bool fits =
                    (qGray(area.pixel(x, y)) != 0) == drawn &&
                    (composited || qAlpha(p) == 0 || (qAlpha(p) == 255 && qRed(p) > 120));
                if (!fits) {
                    wrong = u"%1,%2: %3"_s.arg(x).arg(y).arg(p, 8, 16);
                }
            }
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QVERIFY(inShape > 500);
        QVERIFY(inShape < shown.width() * shown.height() / 2);

        // A compositor started or stopped later is followed.
        overlay.composited = !composited;
        if (reported) {
            overlay.compositorChanged();
            QCOMPARE(overlay.bounding, composited);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(overlay.bounding, composited,
                                      TestTime::ms(3 * frmText::kCompositorCheckMs));
        }
    }

    void cutWindowKeepsTheEnds_data()
    {
        QTest::addColumn<bool>("sideBySide");
        QTest::newRow("side by side: the ends of the line") << true;
        QTest::newRow("one per line: the last lines") << false;
    }

    void cutWindowKeepsTheEnds()
    {
        // Cut to twice the screen, the window shows the lower right part, where the last
        // stations stand, and rests at the screen's lower right.
        QFETCH(bool, sideBySide);
        Overlay overlay;
        const KonfigSettings &settings = overlay.settings;
        overlay.settings.Text_Size = 30;
        const int stations = sideBySide ? 30 : 60;
        QString text = u"FIRST : 0001"_s;
        for (int i = 2; i < stations; ++i) {
            text += (sideBySide ? u" -- STATION"_s : u"\r\nSTATION"_s) + QString::number(i) +
                    u": 0042"_s;
        }
        text += sideBySide ? u" -- LAST: 9876"_s : u"\r\nLAST: 9876"_s;
        overlay.window.set_Print_Text(text);
        const QImage cut = overlay.window.picture();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(sideBySide ? cut.width() : cut.height(),
                 sideBySide ? 2 * screen.width() : 2 * screen.height());
        const QRect window = overlay.window.geometry();
        QCOMPARE(window.bottom(), screen.bottom());
        QVERIFY2(screen.right() - window.right() >= 0 && screen.right() - window.right() <= 2,
                 qPrintable(QString::number(window.right())));

        const OverlayRenderer renderer(OverlayFont::family());
        const QSizeF label = renderer.measure(text, settings.Text_Size);
        const QSize full(qRound(label.width()), qRound(stations * settings.Text_Size * 1.25));
        const QImage uncut =
            renderer.render(text, OverlayStyle::from(settings), label.width() - settings.Text_Size,
                            full.width(), full.height());
        QCOMPARE(cut,
                 uncut.copy(QRect(QPoint(full.width() - cut.width(), full.height() - cut.height()),
                                  cut.size())));
        QVERIFY(!OverlayShape::region(cut, OverlayShape::kVisibleAlpha).empty());
    }

    void lineMetricsFromTables_data()
    {
        QTest::addColumn<QByteArray>("hhea");
        QTest::addColumn<QByteArray>("os2");
        QTest::addColumn<double>("ascent");
        QTest::addColumn<double>("lineSpacing");
        // Tahoma Bold's numbers; its typographic ascent and line gap are not used.
        QTest::newRow("win cell as tall as hhea")
            << table({{4, 2049}, {6, 0x10000 - 423}, {8, 0}}, 36)
            << table({{68, 1566}, {70, 0x10000 - 423}, {72, 59}, {74, 2049}, {76, 423}}, 96)
            << 2049 / 2048.0 << 2472 / 2048.0;
        QTest::newRow("hhea line gap adds leading")
            << table({{4, 1900}, {6, 0x10000 - 500}, {8, 200}}, 36)
            << table({{74, 1901}, {76, 483}}, 96) << 1901 / 2048.0 << 2600 / 2048.0;
        QTest::newRow("OS/2 table cut short")
            << table({{4, 1900}}, 36) << table({}, 75) << 0.0 << 0.0;
    }

    void lineMetricsFromTables()
    {
        QFETCH(QByteArray, hhea);
        QFETCH(QByteArray, os2);
        const OverlayLineMetrics metrics =
            OverlayLineMetrics::fromTables(table({{18, 2048}}, 54), hhea, os2);
        QTEST(metrics.ascent, "ascent");
        QTEST(metrics.lineSpacing, "lineSpacing");
    }
};

QTEST_MAIN(TestOverlay)
#include "tst_overlay.moc"
