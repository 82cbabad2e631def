// SPDX-License-Identifier: MIT
#include "frmText.h"

#include "KonfigSettings.h"
#include "OverlayFont.h"
#include "OverlayPlatform.h"
#include "OverlayShape.h"
#include "ScreenTwips.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

frmText::frmText(Sources sources, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint),
      m_sources(std::move(sources)), m_renderer(OverlayFont::family())
{
    if (!m_sources.compositorActive) {
        m_sources.compositorActive = &OverlayPlatform::compositorActive;
    }
    if (!m_sources.setShape) {
        m_sources.setShape = &OverlayPlatform::setShape;
    }
    setWindowTitle(u"Form2"_s);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    if (!m_sources.watchCompositor) {
        m_sources.watchCompositor = &OverlayPlatform::watchCompositor;
    }
    const auto compositorMayHaveChanged = [this] {
        if (const bool composited = m_sources.compositorActive(); composited != m_composited) {
            m_composited = composited;
            updateDisplay();
        }
    };
    // Told by the desktop where it can; asking every few seconds would wake the
    // program for nothing nearly always.
    m_compositorWatch = m_sources.watchCompositor(compositorMayHaveChanged);
    // Asked only once the watch stands, so a change in between is not missed.
    m_composited = m_sources.compositorActive();
    if (!m_compositorWatch) {
        m_compositorPoll.setInterval(kCompositorCheckMs);
        connect(&m_compositorPoll, &QTimer::timeout, this, compositorMayHaveChanged);
        m_compositorPoll.start();
    }
    watchScreen(QGuiApplication::primaryScreen());
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, [this](QScreen *primary) {
        watchScreen(primary);
        screenMoved();
    });
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
    const OverlayStyle style = OverlayStyle::from(m_sources.konfig);
    const int lines = OverlayGeometry::lineCount(m_caption, true);
    if (lines == 0) {
        m_picture = QImage();
        showNothing();
        return;
    }
    const OverlayGeometry::Screen where = screen();
    const QSizeF label = m_renderer.measure(m_caption, style.textSize);
    const QSize full(
        OverlayGeometry::roundEven(label.width()),
        OverlayGeometry::roundEven(OverlayGeometry::windowHeightTwips(lines, style.textSize) /
                                   where.twipsPerPixelY));
    // A text of thousands of stations must not become a picture of gigabytes: no window
    // grows past twice the screen. The window keeps the lower right part of its uncut
    // self, so the ends of the lines and the last lines, where the last stations stand,
    // show where they would have.
    const QSize size = full.boundedTo(2 * where.pixels.size()).expandedTo({1, 1});
    const qreal drawingWidth = label.width() - style.textSize - (full.width() - size.width());
    const qreal top = std::min(0, size.height() - full.height());
    m_picture = m_renderer.render(m_caption, style, drawingWidth, size.width(), size.height(),
                                  devicePixelRatioF(), top);
    // Without blending only the solid pixels show, and only they take the mouse.
    m_shown = m_composited ? m_picture : OverlayShape::solid(m_picture);
    const std::vector<QRect> shape = OverlayShape::region(
        m_shown, m_composited ? OverlayShape::kVisibleAlpha : OverlayShape::kSolidAlpha);
    if (shape.empty()) {
        showNothing();
        return;
    }

    const QPoint topLeft = OverlayGeometry::placeTwips(
        where, size.width() * where.twipsPerPixelX, size.height() * where.twipsPerPixelY,
        m_sources.konfig.window_pos_x, m_sources.konfig.window_pos_y, m_sources.task_leiste_height);
    setGeometry(OverlayGeometry::roundEven(topLeft.x() / where.twipsPerPixelX),
                OverlayGeometry::roundEven(topLeft.y() / where.twipsPerPixelY), size.width(),
                size.height());
    m_sources.setShape(this, shape, !m_composited);
    if (m_wanted && !isVisible()) {
        QWidget::show();
        OverlayPlatform::keepOutOfTaskbar(this);
    }
    raise(); // back on top with every update
    update();
    emit pictureChanged();
}

// An empty picture hides the window: a window with nothing drawn would show as a black
// box where the desktop cannot blend, and would swallow clicks where it can.
void frmText::showNothing()
{
    m_shown = QImage();
    hide();
    emit pictureChanged();
}

void frmText::watchScreen(QScreen *primary)
{
    if (m_watched) {
        disconnect(m_watched, nullptr, this, nullptr);
    }
    m_watched = primary;
    if (primary) {
        connect(primary, &QScreen::geometryChanged, this, &frmText::screenMoved);
        connect(primary, &QScreen::availableGeometryChanged, this, &frmText::screenMoved);
    }
}

// A new resolution, or a panel that appears or goes, moves the place above the taskbar:
// the taskbar is measured again before the text goes there.
void frmText::screenMoved()
{
    emit screenChanged();
    updateDisplay();
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
    painter.drawImage(0, 0, m_shown);
}
