// Shapes and touches shared by the figures and the scenes.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>

#include "random.h"

namespace vestora::pictures {

QColor Hsv(int hue, int saturation, int value, int alpha = 255);
// The colour made lighter (factor > 1) or darker (factor < 1) in value.
QColor Shade(const QColor& color, double factor);
QColor Mix(const QColor& a, const QColor& b, double t);
QColor WithAlpha(QColor color, int alpha);

QPainterPath HeartPath(QPointF center, double size);
QPainterPath StarPath(QPointF center, double outer, double inner, int points, double turn = 0);
QPainterPath CloudPath(QPointF center, double width, double height);

// A vertical gradient over the whole painter's window.
void FillVertical(QPainter& painter, const QRectF& rect, const QColor& top, const QColor& bottom);
void FillVertical(QPainter& painter, const QRectF& rect, std::initializer_list<QColor> stops);

void DrawFlower(QPainter& painter, QPointF center, double radius, const QColor& petals,
                const QColor& heart, int petalCount = 5);
// A four-pointed twinkle.
void DrawSparkle(QPainter& painter, QPointF center, double size, const QColor& color);
void DrawSnowflake(QPainter& painter, QPointF center, double size, const QColor& color);
void DrawPine(QPainter& painter, QPointF base, double width, double height, const QColor& color,
              const QColor& snow = Qt::transparent);
void DrawRoundTree(QPainter& painter, QPointF base, double size, const QColor& leaves,
                   const QColor& trunk, Rng& rng);
// A jagged skyline between x0 and x1 whose peaks are near `top`, filled down to `bottom`.
QPainterPath RidgePath(Rng& rng, double x0, double x1, double base, double top, double bottom,
                       int steps, double roughness);

// Fine film grain: every pixel's channels move by up to `amount`.
void AddGrain(QImage& image, Rng& rng, int amount);
// Darkens the corners.
void AddVignette(QImage& image, double strength);

}  // namespace vestora::pictures
