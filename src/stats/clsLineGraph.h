// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

class PictureSurface;

// The values a chart shows, oldest first; shared by the chart and whoever feeds it.
using ChartValues = std::vector<double>;

// A scrolling line chart: background, an optional border, an optional grid of 20
// columns by 10 rows, and a line through the newest 100 values from left to right.
// The vertical scale reaches at least 100, or max_Height when that is larger. Set the
// properties, point it at a surface and a value collection, and call Draw after every
// change; Draw starts from a cleared surface each time and drops the oldest values
// from the collection once it holds more than 100. Colours are 24-bit integers,
// red + green * 256 + blue * 65536; sizes are in pixels.
class clsLineGraph
{
public:
    static constexpr int kPoints = 100;
    static constexpr int kGridColumns = 20;
    static constexpr int kGridRows = 10;

    void setMax_Height(qint32 value) { m_maxHeight = value; }
    void setGridColor(qint32 colour) { m_gridColor = colour; }
    void setGridVisible(bool visible) { m_gridVisible = visible; }
    void setBorderColor(qint32 colour) { m_borderColor = colour; }
    void setBorderSize(qint16 pixels) { m_borderSize = pixels; }
    void setPicForeground(qint32 colour) { m_foreground = colour; }
    void setPicBackground(qint32 colour) { m_background = colour; }
    void setDataCollection(std::shared_ptr<ChartValues> values) { m_values = std::move(values); }
    // Not owned; the caller keeps it alive while it is set.
    void setPictureBox(PictureSurface *picture) { m_picture = picture; }

    // Draws the whole chart afresh. Without a surface it draws nothing; without a
    // collection it stops after the grid.
    void Draw();

private:
    void drawBorder(PictureSurface &picture) const;
    void drawGrid(PictureSurface &picture) const;
    void drawCurve(PictureSurface &picture, ChartValues &values) const;

    qint32 m_maxHeight = 0;
    qint32 m_gridColor = 0;
    bool m_gridVisible = false;
    qint32 m_borderColor = 0;
    qint16 m_borderSize = 0;
    qint32 m_foreground = 0;
    qint32 m_background = 0;
    std::shared_ptr<ChartValues> m_values;
    PictureSurface *m_picture = nullptr;
};
