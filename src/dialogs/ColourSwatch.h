// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>

// A sunken box filled with one colour that reports a click (mouse or space bar), for
// the settings' text and outline colours. The colour is the settings' integer form,
// red + green * 256 + blue * 65536.
class ColourSwatch final : public QFrame
{
    Q_OBJECT

public:
    explicit ColourSwatch(QWidget *parent = nullptr);

    void setColour(qint32 colour);
    qint32 colour() const { return m_colour; }

    static QColor toColor(qint32 colour);
    static qint32 fromColor(const QColor &color);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    qint32 m_colour = 0;
};
