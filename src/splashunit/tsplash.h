// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#pragma once

// The borderless picture shown while the program starts.

#include <QPixmap>
#include <QWidget>

namespace ostrevo {

class TSplash final : public QWidget {
    Q_OBJECT
public:
    explicit TSplash(QWidget* parent = nullptr);

    // The product's splash picture, 400 x 282, drawn rather than shipped.
    static QPixmap splashPicture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace ostrevo
