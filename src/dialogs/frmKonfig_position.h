// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QPoint>

class QLabel;
class frmText;
struct KonfigSettings;

// Places the overlay by hand: a borderless dark-green window of the overlay's size
// that the user drags with any mouse button while the overlay follows. The tick (or
// "Übernehmen") stores the window's top-left corner in twips, the reset icon (or
// "Abbrechen") stores 0, 0 - placed automatically again; Escape closes and changes
// nothing. While it is open it keeps the overlay's size and shows its current text,
// with the overlay held below it. The settings dialog opens it and takes the position from the
// record after.
class frmKonfig_position final : public QDialog
{
    Q_OBJECT

public:
    frmKonfig_position(KonfigSettings &konfig, frmText &overlay, QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Load();
    void accept() override;
    void done(int result) override;
    void resetPosition();
    void followOverlay();
    void stopFollowing();

    KonfigSettings &m_konfig;
    frmText &m_overlay;
    QLabel *m_label = nullptr;
    QPoint m_pressPoint; // pixels, in the window's own coordinates
    bool m_dragging = false;
};
