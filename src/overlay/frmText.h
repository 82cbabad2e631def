// SPDX-License-Identifier: MIT
#pragma once

#include "OverlayGeometry.h"
#include "OverlayRenderer.h"
#include "TextDisplay.h"

#include <QImage>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

struct KonfigSettings;

// The overlay: the display text as large outlined lettering floating above every
// window at the lower right of the screen (or where the user put it), with nothing
// around the letters. A frameless tool window that stays on top, never takes the
// focus, has no taskbar or task-switcher entry and does nothing with the mouse.
//
// Every update measures the text, draws it into a fresh picture and places the
// window, without running the event loop. Where the desktop shows no per-pixel
// transparency (X11 without a compositing manager) the window is cut to the drawn
// pixels at least half opaque, drawn at full strength; starting or stopping a
// compositor later is followed. The mouse reaches
// the window only on drawn pixels: clicks anywhere else fall through to the desktop.
// A change of the screen's size or free area places the window anew.
//
// The window reacts to no key and no click of its own; it only reports a right-click
// and a double-click on its text, which the program uses where the desktop has no tray.
class frmText final : public QWidget, public TextDisplay
{
    Q_OBJECT

public:
    struct Sources
    {
        const KonfigSettings &konfig;
        const qint32 &task_leiste_height; // pixels, measured once at start-up
        // Whether per-pixel transparency reaches the screen; the platform's answer
        // unless a test says otherwise.
        std::function<bool()> compositorActive;
        // Cuts the window to rects (see OverlayPlatform::setShape); the platform's
        // unless a test watches.
        std::function<void(QWidget *, const std::vector<QRect> &, bool bounding)> setShape = {};
        // Reports a compositor starting or stopping (see OverlayPlatform::watchCompositor);
        // the platform's unless a test drives it.
        std::function<std::shared_ptr<void>(std::function<void()>)> watchCompositor = {};
    };

    // How often the compositor is asked where the desktop cannot report its changes.
    static constexpr int kCompositorCheckMs = 2000;

    explicit frmText(Sources sources, QWidget *parent = nullptr);

    void set_Print_Text(const QString &text) override;
    QString get_text() const override { return m_caption; }
    // Shows the window, if there is anything to show, without activating it.
    void show() override;
    // Draws the current text again after a setting changed (size, colours, outline,
    // shadow, opacity, position).
    void redraw_text();
    // The text's picture as drawn, translucent, for a preview elsewhere; null when the
    // window shows nothing.
    const QImage &picture() const { return m_picture; }

signals:
    void rightClicked(const QPoint &globalPos);
    void doubleClicked();
    // After every update: the picture, the size or the place changed (or all went).
    void pictureChanged();
    // The primary screen's size or free area changed; the taskbar should be measured
    // again. The window places itself anew right after.
    void screenChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void updateDisplay();
    void showNothing();
    void watchScreen(QScreen *primary);
    void screenMoved();
    OverlayGeometry::Screen screen() const;

    Sources m_sources;
    OverlayRenderer m_renderer;
    QString m_caption;
    QImage m_picture; // as drawn, with its translucency
    QImage m_shown;   // as the window shows it (solid where the desktop cannot blend)
    QPointer<QScreen> m_watched;
    std::shared_ptr<void> m_compositorWatch;
    QTimer m_compositorPoll;
    bool m_composited = true;
    bool m_wanted = false; // show() was called: visible whenever there is text
};
