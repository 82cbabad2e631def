// SPDX-License-Identifier: MIT
#include "OverlayBench.h"

#include "BenchReport.h"
#include "DisplayText.h"
#include "frmText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace OverlayBench {

namespace {

using BenchReport::elapsedMs;

bool hasInk(const QImage &picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                return true;
            }
        }
    }
    return false;
}

// The least a text picture of this size can cost: fresh transparent picture, bold
// font, right-aligned lines, anti-aliased, one colour.
QImage plainDrawText(const QString &text, const QString &family, const QColor &colour, QSize size)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QFont font(family);
    font.setBold(true);
    font.setPixelSize(kTextSize);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(picture.rect(), Qt::AlignRight | Qt::AlignTop, text);
    return picture;
}

} // namespace

QString stationText(int stations, int variant)
{
    DisplayText::Builder text(false);
    const int first = variant == 0 ? 57 : 123;
    for (int i = 0; i < stations; ++i) {
        const QString name = QStringLiteral("station%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        text.append(name, DisplayText::format0000(QString::number(first + 7 * i)));
    }
    return text.text();
}

Case run(frmText &overlay, const QString &family, const QColor &colour, int stations,
         const Runs &runs)
{
    Case result;
    result.stations = stations;
    const QString texts[] = {stationText(stations, 0), stationText(stations, 1)};
    QElapsedTimer budget;
    const auto more = [&](int i) {
        const int timed = i - runs.warmUps;
        if (timed < runs.minCalls) {
            return true;
        }
        return timed < runs.maxCalls && budget.elapsed() < runs.budgetMs;
    };
    for (int i = 0; more(i); ++i) {
        if (i == runs.warmUps) {
            budget.start();
        }
        const QString &text = texts[i % 2];
        QElapsedTimer timer;
        timer.start();
        overlay.set_Print_Text(text);
        const double overlayMs = elapsedMs(timer);

        if (!overlay.isVisible() || overlay.geometry().isEmpty()) {
            result.failure = "call " + QByteArray::number(i + 1) + " left no visible window";
            return result;
        }
        result.window = overlay.size();
        if (i == 0) {
            if (!hasInk(overlay.grab().toImage())) {
                result.failure = "the overlay's window shows no drawn pixel";
                return result;
            }
            if (!hasInk(plainDrawText(text, family, colour, result.window))) {
                result.failure = "the plain drawText picture has no drawn pixel";
                return result;
            }
        }

        timer.restart();
        // Released inside the timed span, as the overlay's call releases its old picture.
        plainDrawText(text, family, colour, result.window);
        const double baselineMs = elapsedMs(timer);

        // The program returns to its event loop after every update, which paints the
        // window; without this, the updates of the run would pile up unpainted.
        timer.restart();
        QCoreApplication::processEvents();
        const double repaintMs = elapsedMs(timer);

        if (i >= runs.warmUps) {
            result.overlayMs.push_back(overlayMs);
            result.baselineMs.push_back(baselineMs);
            result.repaintMs.push_back(repaintMs);
        }
    }
    return result;
}

} // namespace OverlayBench
