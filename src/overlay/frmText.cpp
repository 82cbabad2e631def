// SPDX-License-Identifier: MIT
#include "frmText.h"

#include "KonfigSettings.h"
#include "OverlayFont.h"
#include "OverlayPlatform.h"
#include "ScreenTwips.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Pixels drawn at least this opaque stay visible where the window is cut to the
// drawing: the glyphs, their outline and the shadow (alpha 50), not the faint edge.
constexpr int kMaskAlpha = 32;

QBitmap maskOf(const QImage &picture)
{
    QImage logical = picture;
    if (picture.devicePixelRatio() != 1.0) {
        logical = picture.scaled(picture.deviceIndependentSize().toSize());
    }
    QImage mask(logical.size(), QImage::Format_MonoLSB);
    mask.setColor(0, QColor(Qt::color0).rgba());
    mask.setColor(1, QColor(Qt::color1).rgba());
    for (int y = 0; y < logical.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(logical.constScanLine(y));
        for (int x = 0; x < logical.width(); ++x) {
            mask.setPixel(x, y, qAlpha(line[x]) >= kMaskAlpha ? 1 : 0);
        }
    }
    return QBitmap::fromImage(mask);
}

} // namespace

frmText::frmText(Sources sources, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint),
      m_sources(std::move(sources)), m_renderer(OverlayFont::family())
{
    if (!m_sources.compositorActive) {
        m_sources.compositorActive = &OverlayPlatform::compositorActive;
    }
    setWindowTitle(u"Form2"_s);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    m_composited = m_sources.compositorActive();
    m_compositorWatch.setInterval(kCompositorCheckMs);
    connect(&m_compositorWatch, &QTimer::timeout, this, [this] {
        if (const bool composited = m_sources.compositorActive(); composited != m_composited) {
            m_composited = composited;
            updateDisplay();
        }
    });
    m_compositorWatch.start();
}

void frmText::set_Print_Text(const QString &text)
{
    m_caption = OverlayGeometry::spellOutCapitalUmlauts(text);
    updateDisplay();
}

void frmText::redraw_text()
{
    updateDisplay();
}

void frmText::show()
{
    m_wanted = true;
    updateDisplay();
}

// Measure, draw, place: one pass for a new text and for a redraw alike, so a redraw
// after a change of size measures the text again.
void frmText::updateDisplay()
{
    OverlayStyle style = OverlayStyle::from(m_sources.konfig);
    if (!m_composited) {
        // The screen shows the picture's colours without blending them: draw them at
        // full strength, or a translucent fill would show darker than it is. An
        // opacity of 0 still hides the text.
        for (quint32 *argb : {&style.fill, &style.outline}) {
            *argb = qAlpha(*argb) > 0 ? *argb | 0xFF000000 : *argb;
        }
    }
    const int lines = OverlayGeometry::lineCount(m_caption, true);
    if (lines == 0) {
        m_picture = QImage();
        hide();
        return;
    }
    const OverlayGeometry::Screen where = screen();
    const QSizeF label = m_renderer.measure(m_caption, style.textSize);
    const double heightTwips = OverlayGeometry::windowHeightTwips(lines, style.textSize);
    // A text of thousands of stations must not become a picture of gigabytes: no
    // window grows past twice the screen.
    const int width = std::clamp(OverlayGeometry::roundEven(label.width()), 1,
                                 std::max(1, 2 * where.pixels.width()));
    const int height = std::clamp(OverlayGeometry::roundEven(heightTwips / where.twipsPerPixelY), 1,
                                  std::max(1, 2 * where.pixels.height()));
    const qreal drawingWidth = label.width() - style.textSize;
    m_picture =
        m_renderer.render(m_caption, style, drawingWidth, width, height, devicePixelRatioF());

    const QPoint topLeft = OverlayGeometry::placeTwips(
        where, width * where.twipsPerPixelX, height * where.twipsPerPixelY,
        m_sources.konfig.window_pos_x, m_sources.konfig.window_pos_y, m_sources.task_leiste_height);
    setGeometry(OverlayGeometry::roundEven(topLeft.x() / where.twipsPerPixelX),
                OverlayGeometry::roundEven(topLeft.y() / where.twipsPerPixelY), width, height);
    if (m_composited) {
        clearMask();
    } else {
        setMask(maskOf(m_picture));
    }
    if (m_wanted && !isVisible()) {
        QWidget::show();
        OverlayPlatform::keepOutOfTaskbar(this);
    }
    raise(); // back on top with every update
    update();
}

OverlayGeometry::Screen frmText::screen() const
{
    OverlayGeometry::Screen where;
    if (const QScreen *primary = QGuiApplication::primaryScreen()) {
        where.pixels = primary->geometry();
        where.twipsPerPixelX = ScreenTwips::perPixelX();
        where.twipsPerPixelY = ScreenTwips::perPixelY();
    } else {
        where.pixels = QRect(0, 0, 1920, 1080);
    }
    return where;
}

void frmText::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        emit rightClicked(event->globalPosition().toPoint());
    }
}

void frmText::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

void frmText::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.drawImage(0, 0, m_picture);
}
