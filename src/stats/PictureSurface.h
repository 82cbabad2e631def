// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

// A point on a picture surface, in its current coordinates.
struct PicturePoint
{
    float x = 0;
    float y = 0;

    bool operator==(const PicturePoint &) const = default;
};

// What the line chart needs from the control it draws into. Colours are 24-bit
// integers, red + green * 256 + blue * 65536. A window implements it with a widget;
// tests record the calls.
class PictureSurface
{
public:
    virtual ~PictureSurface() = default;

    // While on, what is drawn stays until the next clear; while off, a repaint loses it.
    virtual bool persistentDrawing() const = 0;
    virtual void setPersistentDrawing(bool on) = 0;

    // Fills the whole inner area with the background colour.
    virtual void clear() = 0;

    // 0 for no frame, 1 for a single-line frame around the inner area.
    virtual int borderStyle() const = 0;

    virtual bool pixelCoordinates() const = 0;
    virtual void setPixelCoordinates() = 0;

    // The inner area, in the current coordinates.
    virtual double innerWidth() const = 0;
    virtual double innerHeight() const = 0;

    // Changing the background colour clears the surface to it.
    virtual qint32 background() const = 0;
    virtual void setBackground(qint32 colour) = 0;

    virtual void line(PicturePoint from, PicturePoint to, qint32 colour) = 0;
    // Outline only; both corners belong to it.
    virtual void rectangle(PicturePoint corner, PicturePoint opposite, qint32 colour) = 0;
};
