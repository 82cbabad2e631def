// SPDX-License-Identifier: MIT
#pragma once

#include "PictureSurface.h"

#include <QImage>
#include <QWidget>

// A widget that a line chart draws into. The drawing is kept in a picture at the
// screen's device resolution and shown until the next clear, so a repaint costs one
// copy and lines stay sharp on scaled screens. Coordinates are logical pixels inside
// the optional one-pixel frame.
class ChartPicture : public QWidget, public PictureSurface
{
    Q_OBJECT

public:
    explicit ChartPicture(QWidget *parent = nullptr);

    bool persistentDrawing() const override { return m_persistent; }
    void setPersistentDrawing(bool on) override;
    void clear() override;
    int borderStyle() const override { return m_borderStyle; }
    void setBorderStyle(int style);
    // Always pixels: a widget knows no other unit.
    bool pixelCoordinates() const override { return true; }
    void setPixelCoordinates() override {}
    double innerWidth() const override { return innerSize().width(); }
    double innerHeight() const override { return innerSize().height(); }
    qint32 background() const override { return m_background; }
    void setBackground(qint32 colour) override;
    void line(PicturePoint from, PicturePoint to, qint32 colour) override;
    void rectangle(PicturePoint corner, PicturePoint opposite, qint32 colour) override;

    // What has been drawn, at device resolution.
    QImage picture() const { return m_canvas; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int frameWidth() const { return m_borderStyle == 0 ? 0 : 1; }
    QSize innerSize() const;
    // The kept picture at the current size and resolution; null while the widget has
    // no inner area.
    QImage &canvas();

    QImage m_canvas;
    qint32 m_background = 0xFFFFFF;
    int m_borderStyle = 1;
    bool m_persistent = false;
};
