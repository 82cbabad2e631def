// SPDX-License-Identifier: MIT
#pragma once

#include "OverlayGeometry.h"
#include "OverlayRenderer.h"
#include "TextDisplay.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>

struct KonfigSettings;

// The overlay: the display text as large outlined lettering floating above every
// window at the lower right of the screen (or where the user put it), with nothing
// around the letters. A frameless tool window that stays on top, never takes the
// focus, has no taskbar or task-switcher entry and does nothing with the mouse.
//
// Every update measures the text, draws it into a fresh picture and places the
// window, without running the event loop. Where the desktop shows no per-pixel
// transparency (X11 without a compositing manager) the window is cut to the drawn
// pixels; this is checked again every few seconds, so starting or stopping a
// compositor later is followed.
//
// The window reacts to no key and no click of its own; it only reports a right-click
// and a double-click, which the program uses where the desktop has no tray.
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
    };

    static constexpr int kCompositorCheckMs = 2000;

    explicit frmText(Sources sources, QWidget *parent = nullptr);

    void set_Print_Text(const QString &text) override;
    QString get_text() const override { return m_caption; }
    // Shows the window, if there is anything to show, without activating it.
    void show() override;
    // Draws the current text again after a setting changed (size, colours, outline,
    // shadow, opacity, position).
    void redraw_text();
    // The picture the window shows, for a preview elsewhere.
    const QImage &picture() const { return m_picture; }

signals:
    void rightClicked(const QPoint &globalPos);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void updateDisplay();
    OverlayGeometry::Screen screen() const;

    Sources m_sources;
    OverlayRenderer m_renderer;
    QString m_caption;
    QImage m_picture;
    QTimer m_compositorWatch;
    bool m_composited = true;
    bool m_wanted = false; // show() was called: visible whenever there is text
};
