// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "hints/tnewhint.h"

#include "hints/balloonshape.h"
#include "hints/hintwrap.h"
#include "hints/sharedhintsettings.h"
#include "hints/tballoonhints.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QScreen>

#include <algorithm>
#include <utility>

namespace ostrevo {

namespace {

PixelRect toPixelRect(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QPoint toQPoint(PixelPoint p)
{
    return {p.x, p.y};
}

QScreen* screenFor(const QPoint& globalPos)
{
    QScreen* screen = QGuiApplication::screenAt(globalPos);
    return screen ? screen : QGuiApplication::primaryScreen();
}

} // namespace

TNewHint::TNewHint()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus |
                           Qt::NoDropShadowWindowHint)
{
    setObjectName(QStringLiteral("TNewHint"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Where the screen cannot be captured, what lies around the balloon must
    // show through; where it can, the capture fills every pixel anyway.
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setFont(BalloonHintStyle::defaultFont());
}

TNewHint::~TNewHint() = default;

void TNewHint::setFallbackSettings(TBalloonHints* settings)
{
    m_fallback = settings;
}

QRect TNewHint::calcHintRect(int maxWidth, const QString& text) const
{
    QString lines = text;
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QRect extent = QFontMetrics(font()).boundingRect(QRect(0, 0, std::max(maxWidth, 1), 0),
                                                           Qt::AlignLeft | Qt::TextWordWrap, lines);
    return {0, 0, extent.width() + 6, extent.height() + 2};
}

int TNewHint::lineHeight() const
{
    // What one more line adds when text is laid out, which is what the drawing
    // uses; the font's own height can be a pixel less.
    const QFontMetrics metrics(font());
    const QRect area(0, 0, 1000, 0);
    return metrics.boundingRect(area, Qt::AlignLeft, QStringLiteral("X\nX")).height() -
           metrics.boundingRect(area, Qt::AlignLeft, QStringLiteral("X")).height();
}

int TNewHint::textWidth(const QString& text) const
{
    // A line with breaks of its own is as wide as its widest part.
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QStringView part : QStringView(text).split(QLatin1Char('\r'))) {
        widest = std::max(widest, metrics.horizontalAdvance(part.toString()));
    }
    return widest;
}

void TNewHint::activateHint(const QRect& rect, const QString& text, const QPoint& cursor)
{
    SharedHintSettings& shared = sharedHintSettings();
    if (!shared.active) {
        return;
    }
    shared.wrapWidth = limitHintWrapWidth(shared.wrapWidth);

    // The old balloon must not end up in the new one's capture.
    hide();
    m_background = QImage();

    m_text = text;
    QRect hintRect = rect;
    if (hintRect.width() > shared.wrapWidth) {
        const WrappedHint wrapped = wrapHintText(
            text.toStdString(), toPixelRect(rect), shared.wrapWidth, lineHeight(),
            [this](std::string_view line) {
                return textWidth(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
            });
        m_text = QString::fromStdString(wrapped.text);
        hintRect = QRect(QPoint(wrapped.rect.left, wrapped.rect.top),
                         QSize(wrapped.rect.width(), wrapped.rect.height()));
    }

    m_settings = FindBalloonHints();
    if (!m_settings) {
        m_settings = m_fallback;
    }

    const BalloonPlacement placement = PlaceBalloon(hintRect, cursor);
    m_direction = placement.direction;
    const PixelSize size = balloonSize({hintRect.width(), hintRect.height()}, m_direction);
    const QRect area(toQPoint(placement.corner), QSize(size.width, size.height));
    setGeometry(area);
    m_background = captureScreen(area);
    show();
    update();
}

BalloonPlacement TNewHint::PlaceBalloon(const QRect& rect, const QPoint& cursor)
{
    QWidget* hintControl = QApplication::widgetAt(cursor);
    // The handler may change the direction for this one hint only: the
    // settings keep theirs.
    THintDirection direction = THintDirection::hdUpRight; // what a new settings component has
    if (const TBalloonHints* settings = m_settings.data()) {
        direction = settings->HintDirection();
        if (const TBalloonHints::TOnSelectHintDirection handler = settings->OnSelectHintDirection) {
            handler(hintControl, direction);
        }
    }

    PixelRect screenRect{cursor.x() - 100000, cursor.y() - 100000, cursor.x() + 100000, cursor.y() + 100000};
    if (const QScreen* screen = screenFor(cursor)) {
        screenRect = toPixelRect(screen->geometry());
    }
    return placeBalloon({cursor.x(), cursor.y()}, {rect.width(), rect.height()}, screenRect, direction);
}

void TNewHint::setScreenCapture(ScreenCapture capture)
{
    m_capture = capture ? std::move(capture) : ScreenCapture(&TNewHint::grabScreen);
}

QPixmap TNewHint::grabScreen(const QRect& area)
{
    QScreen* screen = screenFor(area.topLeft());
    if (!screen) {
        return {};
    }
    const QRect screenArea = screen->geometry();
    return screen->grabWindow(0, area.x() - screenArea.x(), area.y() - screenArea.y(), area.width(),
                              area.height());
}

QImage TNewHint::captureScreen(const QRect& area) const
{
    if (area.isEmpty()) {
        return {};
    }
    const QPixmap shot = m_capture(area);
    if (shot.isNull() || shot.width() <= 0 || shot.height() <= 0) {
        return {};
    }
    QImage image = shot.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // The balloon is drawn with every pixel of the screen, also where a
    // logical pixel is several (scale factor 2).
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(area.size()) * ratio).toSize();
    if (image.size() != pixels) {
        image = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

void TNewHint::paintEvent(QPaintEvent*)
{
    // The capture made at activation serves one painting; later ones capture again.
    QImage canvas = std::exchange(m_background, QImage());
    if (canvas.isNull() || canvas.deviceIndependentSize() != QSizeF(size())) {
        canvas = captureScreen(geometry());
    }
    if (canvas.isNull()) {
        canvas = QImage((QSizeF(size()) * devicePixelRatioF()).toSize(), QImage::Format_ARGB32_Premultiplied);
        canvas.setDevicePixelRatio(devicePixelRatioF());
        canvas.fill(Qt::transparent);
    }
    const TBalloonHints* settings = m_settings.data();
    const BalloonHintStyle style = settings ? settings->style() : BalloonHintStyle();
    paintBalloon(canvas, m_direction, sharedHintSettings().radius, style, m_text);

    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(rect(), canvas);
}

void TNewHint::paintBalloon(QImage& canvas, THintDirection direction, int radius,
                            const BalloonHintStyle& style, const QString& text)
{
    const QSize logical = canvas.deviceIndependentSize().toSize();
    const PixelSize size{logical.width(), logical.height()};
    const BalloonShape shape = balloonShape(size, direction);

    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // The dithered shadow replaces what lies beneath, a balloon pixel at a time.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const PixelPoint p : balloonShadowPixels(size, direction, radius)) {
        painter.fillRect(p.x, p.y, 1, 1, style.shadowColor);
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);

    // Outlines cover their rectangle's last column and row, as the right and
    // bottom edges are outside it. They are one balloon pixel wide, also
    // where that is several on screen: a line then runs through the middle
    // of its balloon pixels, so that it covers them whole.
    const QPen outline(Qt::black, 1);
    painter.save();
    if (canvas.devicePixelRatio() > 1) {
        painter.translate(0.5, 0.5);
    }
    const qreal corner = std::max(radius, 0) / 2.0;
    painter.setPen(outline);
    painter.setBrush(style.color);
    painter.drawRoundedRect(
        QRectF(shape.body.left, shape.body.top, shape.body.width() - 1, shape.body.height() - 1), corner,
        corner);

    const QPoint a = toQPoint(shape.tip.a);
    const QPoint b = toQPoint(shape.tip.b);
    const QPoint c = toQPoint(shape.tip.c);
    // Opens the body's outline where the tip joins it.
    painter.setPen(QPen(style.color, 1));
    painter.drawLine(a, b);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygon({a, b, c}), Qt::WindingFill);
    painter.setPen(outline);
    painter.drawLine(b, c);
    painter.drawLine(c, a);
    painter.restore();

    QString lines = text;
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    painter.setFont(style.font);
    painter.setPen(style.fontColor);
    const PixelRect& t = shape.textRect;
    painter.drawText(QRect(t.left, t.top, t.width(), t.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lines);
}

} // namespace ostrevo
