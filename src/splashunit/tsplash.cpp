// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "splashunit/tsplash.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <cmath>

namespace ostrevo {

TSplash::TSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_picture(splashPicture())
{
    setObjectName(QStringLiteral("Splash"));
    setFixedSize(409, 290);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - rect().center());
    }
}

QPixmap TSplash::splashPicture()
{
    QPixmap picture(400, 282);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 282);
    sky.setColorAt(0, QColor(16, 42, 92));
    sky.setColorAt(1, QColor(52, 120, 180));
    p.fillRect(picture.rect(), sky);

    // A globe of meridians and parallels: the web the program searches.
    const QRectF globe(228, 40, 150, 150);
    p.setPen(QPen(QColor(190, 225, 255), 2));
    p.setBrush(QColor(255, 255, 255, 30));
    p.drawEllipse(globe);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i < 4; ++i) {
        const qreal w = globe.width() * i / 4.0;
        p.drawEllipse(QRectF(globe.center().x() - w / 2, globe.top(), w, globe.height()));
    }
    for (int i = 1; i < 4; ++i) {
        const qreal y = globe.top() + globe.height() * i / 4.0;
        const qreal half = std::sqrt(std::pow(globe.height() / 2, 2) - std::pow(y - globe.center().y(), 2));
        p.drawLine(QPointF(globe.center().x() - half, y), QPointF(globe.center().x() + half, y));
    }

    // An hourglass over the globe: the expiry dates.
    QPainterPath glass;
    glass.moveTo(280, 95);
    glass.lineTo(326, 95);
    glass.lineTo(303, 122);
    glass.lineTo(326, 149);
    glass.lineTo(280, 149);
    glass.lineTo(303, 122);
    glass.closeSubpath();
    p.setPen(QPen(QColor(255, 200, 60), 2));
    p.setBrush(QColor(255, 170, 0, 160));
    p.drawPath(glass);

    p.setPen(Qt::white);
    QFont title = p.font();
    title.setPixelSize(44);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(24, 60, 220, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ostrevo"));
    QFont line = p.font();
    line.setPixelSize(14);
    line.setBold(false);
    p.setFont(line);
    p.drawText(QRectF(26, 120, 200, 60), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Registered domains around a topic, and when they expire"));
    line.setPixelSize(11);
    p.setFont(line);
    p.setPen(QColor(200, 220, 240));
    p.drawText(QRectF(24, 240, 352, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Starting..."));
    return picture;
}

void TSplash::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(QRect(0, 0, 409, 289));
    // Centred in its 400 x 282 box at (4, 5).
    const QRect box(4, 5, 400, 282);
    QRect target(QPoint(0, 0), m_picture.size().scaled(box.size(), Qt::KeepAspectRatio));
    target.moveCenter(box.center());
    p.drawPixmap(target, m_picture);
}

} // namespace ostrevo
