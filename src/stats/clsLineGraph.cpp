// SPDX-License-Identifier: MIT
#include "clsLineGraph.h"

#include "PictureSurface.h"

namespace {

PicturePoint at(double x, double y)
{
    return {float(x), float(y)};
}

} // namespace

void clsLineGraph::Draw()
{
    if (!m_picture) {
        return;
    }
    PictureSurface &picture = *m_picture;
    if (!picture.persistentDrawing()) {
        picture.setPersistentDrawing(true);
    }
    picture.clear();
    if (!picture.pixelCoordinates()) {
        picture.setPixelCoordinates();
    }
    if (picture.background() != m_background) {
        picture.setBackground(m_background);
    }
    if (m_borderSize > 0) {
        drawBorder(picture);
    }
    if (m_gridVisible) {
        drawGrid(picture);
    }
    if (m_values && !m_values->empty()) {
        drawCurve(picture, *m_values);
    }
}

void clsLineGraph::drawBorder(PictureSurface &picture) const
{
    const int style = picture.borderStyle();
    const double w = picture.innerWidth();
    const double h = picture.innerHeight();
    // b + 1 nested rectangles: the outermost lies on the edge, each next one a pixel in.
    for (int i = 0; i <= m_borderSize; ++i) {
        picture.rectangle(at(i, i), at(w - (i + style), h - (i + style)), m_borderColor);
    }
}

void clsLineGraph::drawGrid(PictureSurface &picture) const
{
    const double b = m_borderSize;
    const double w = picture.innerWidth() - 2 * b;
    const double h = picture.innerHeight() - 2 * b;
    // Rectangles from the common top-left corner: their right and bottom edges are the
    // grid lines.
    for (int k = 1; k <= kGridColumns; ++k) {
        picture.rectangle(at(b, b), at(w / kGridColumns * k, h), m_gridColor);
    }
    for (int k = 1; k <= kGridRows; ++k) {
        picture.rectangle(at(b, b), at(w, h / kGridRows * k), m_gridColor);
    }
}

void clsLineGraph::drawCurve(PictureSurface &picture, ChartValues &values) const
{
    const double b = m_borderSize;
    const double w = picture.innerWidth() - 2 * b;
    const double h = picture.innerHeight() - 2 * b;
    // The scale always reaches 100, so small counts do not fill the whole height.
    const double yScale = m_maxHeight < 101 ? h / 100 : h / m_maxHeight;
    const double xStep = w / kPoints;
    if (values.size() > std::size_t(kPoints)) {
        values.erase(values.begin(), values.end() - kPoints);
    }
    PicturePoint previous = at(b + 2, h - values.front() * yScale);
    for (std::size_t i = 1; i <= values.size(); ++i) {
        double x = w - double(kPoints + 1 - i) * xStep + 2;
        double y = h - values[i - 1] * yScale;
        // Above the scale's top the point rests on the top edge; below the bottom line
        // it is left where it falls.
        x = x < b ? b : x;
        y = y < b ? b : y;
        const PicturePoint point = at(x, y);
        picture.line(previous, point, m_foreground);
        previous = point;
    }
}
