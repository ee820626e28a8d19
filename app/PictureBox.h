// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFrame>
#include <QImage>

// A picture control: the picture at the top left of the contents, clipped to
// them. Clicked is emitted when a left press and its release both land on it.
// Tiles give it a one-pixel border; the exit and help pictures have none.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    PictureBox(const QString& name, const QImage& picture, QWidget* parent);

    const QImage& picture() const { return picture_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    bool pressed_ = false;
};
