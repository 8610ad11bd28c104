#include "themes/handdrawn/sketch.h"

#include <QLineF>
#include <QPen>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace {

// Curves are flattened at this many points per grid unit, fine enough for the largest pictures.
constexpr double kFlattening = 8.0;
// Points along a line are displaced every kStep grid units, by at most kWobble grid units, the
// displacement drifting smoothly between random values kDrift grid units apart.
constexpr double kStep = 0.5;
constexpr double kWobble = 0.4;
constexpr double kDrift = 5.0;

// SplitMix64: a small generator whose output is the same on every platform.
std::uint64_t Mix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

class Random {
  public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    // Uniform in [-1, 1).
    double Next() {
        m_state = Mix(m_state);
        return static_cast<double>(m_state >> 11) * 0x1.0p-52 - 1.0;
    }

  private:
    std::uint64_t m_state;
};

std::uint64_t Quantised(double coordinate) {
    return static_cast<std::uint64_t>(std::llround(coordinate * 64.0));
}

// The seed of one shape: the sketch's seed mixed with the shape's own points, so that a shape
// wobbles the same way whatever else the picture draws at a given size.
std::uint64_t ShapeSeed(std::uint64_t seed, const QPainterPath& path) {
    std::uint64_t hash = seed;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        hash = Mix(hash ^ Quantised(element.x));
        hash = Mix(hash ^ Quantised(element.y));
    }
    return hash;
}

// A smooth random function of the distance along a line, in [-1, 1].
class Drift {
  public:
    Drift(Random& random, double length) {
        const auto knots = static_cast<std::size_t>(std::ceil(length / kDrift)) + 2;
        for (std::size_t i = 0; i < knots; ++i) {
            m_knots.push_back(random.Next());
        }
    }

    double At(double distance) const {
        const double position = distance / kDrift;
        const auto index = std::min(static_cast<std::size_t>(position), m_knots.size() - 2);
        const double t = position - static_cast<double>(index);
        const double smooth = t * t * (3.0 - 2.0 * t);
        return m_knots[index] + (m_knots[index + 1] - m_knots[index]) * smooth;
    }

  private:
    std::vector<double> m_knots;
};

double Length(const QPolygonF& line) {
    double length = 0.0;
    for (qsizetype i = 1; i < line.size(); ++i) {
        length += QLineF(line[i - 1], line[i]).length();
    }
    return length;
}

QPainterPath Polyline(const QPolygonF& line) {
    QPainterPath path;
    path.addPolygon(line);
    return path;
}

QColor Darker(QRgb colour, int alpha) {
    QColor shade = QColor::fromRgba(colour).darker(150);
    shade.setAlpha(alpha);
    return shade;
}

}  // namespace

Sketch::Sketch(QImage& image, std::uint64_t seed)
    : m_painter(&image), m_pixels(image.width()), m_scale(image.width() / kGrid), m_seed(seed) {
    m_painter.setRenderHint(QPainter::Antialiasing);
}

double Sketch::InkWidth() const {
    // At least 1.25 pixels in the smallest icons, growing more slowly than the picture.
    return 1.25 + (m_pixels - 16) * 0.045;
}

std::vector<QPolygonF> Sketch::Wobbled(const QPainterPath& path) const {
    Random random(ShapeSeed(m_seed, path));
    std::vector<QPolygonF> lines;
    for (const QPolygonF& fine : path.toSubpathPolygons(QTransform::fromScale(kFlattening, kFlattening))) {
        QPolygonF line;
        for (const QPointF& point : fine) {
            line << point / kFlattening;
        }
        const Drift driftX(random, Length(line));
        const Drift driftY(random, Length(line));
        QPolygonF wobbled;
        double distance = 0.0;
        const auto add = [&](QPointF point) {
            wobbled << (point + QPointF(driftX.At(distance), driftY.At(distance)) * kWobble) * m_scale;
        };
        for (qsizetype i = 1; i < line.size(); ++i) {
            const QLineF segment(line[i - 1], line[i]);
            const int steps = std::max(1, static_cast<int>(std::ceil(segment.length() / kStep)));
            for (int step = 0; step < steps; ++step) {
                const double t = static_cast<double>(step) / steps;
                add(segment.pointAt(t));
                distance += segment.length() / steps;
            }
        }
        if (!line.isEmpty()) {
            add(line.back());
        }
        lines.push_back(wobbled);
    }
    return lines;
}

void Sketch::ColourIn(const std::vector<QPolygonF>& outline, QRgb colour) {
    QPainterPath area;
    area.setFillRule(Qt::OddEvenFill);
    for (const QPolygonF& line : outline) {
        area.addPolygon(line);
        area.closeSubpath();
    }
    m_painter.fillPath(area, QColor::fromRgba(colour));
    if (!detailed()) {
        return;
    }
    // Pencil texture: fine diagonal hatching in a darker shade of the same colour.
    m_painter.save();
    m_painter.setClipPath(area);
    QPen hatch(Darker(colour, 70), std::max(0.6, 0.28 * m_scale), Qt::SolidLine, Qt::RoundCap);
    m_painter.setPen(hatch);
    Random random(ShapeSeed(m_seed ^ 0x5bd1e995ULL, Polyline(outline.front())));
    const QRectF bounds = area.boundingRect();
    const double spacing = 1.7 * m_scale;
    for (double x = bounds.left() - bounds.height(); x < bounds.right(); x += spacing) {
        const double jitter = random.Next() * 0.25 * spacing;
        m_painter.drawLine(QPointF(x + jitter, bounds.bottom()),
                           QPointF(x + jitter + bounds.height(), bounds.top()));
    }
    m_painter.restore();
}

void Sketch::InkAlong(const std::vector<QPolygonF>& outline, QPen pen) {
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    for (const QPolygonF& line : outline) {
        m_painter.drawPolyline(line);
    }
}

void Sketch::Ink(const QPainterPath& path, double weight) {
    InkAlong(Wobbled(path), QPen(QColor::fromRgba(palette::kInk), InkWidth() * weight));
}

void Sketch::Dashes(const QPainterPath& path, double dash, double gap) {
    const double width = InkWidth();
    QPen pen(QColor::fromRgba(palette::kInk), width);
    // Dash lengths count in pen widths, and the round caps add half a width at each end.
    pen.setDashPattern({std::max(0.01, dash * m_scale / width - 1.0), gap * m_scale / width + 1.0});
    InkAlong(Wobbled(path), pen);
}

void Sketch::Colour(const QPainterPath& area, QRgb colour) {
    ColourIn(Wobbled(area), colour);
}

void Sketch::Shape(const QPainterPath& area, QRgb colour, double weight) {
    const std::vector<QPolygonF> outline = Wobbled(area);
    ColourIn(outline, colour);
    InkAlong(outline, QPen(QColor::fromRgba(palette::kInk), InkWidth() * weight));
}

void Sketch::Pencil(const QPainterPath& path, QRgb colour, double width) {
    InkAlong(Wobbled(path), QPen(QColor::fromRgba(colour), width * m_scale));
}

void Sketch::Marker(const QPainterPath& path, QRgb colour, double width) {
    const std::vector<QPolygonF> line = Wobbled(path);
    const double core = width * m_scale;
    InkAlong(line, QPen(QColor::fromRgba(palette::kInk), core + 1.2 * InkWidth()));
    InkAlong(line, QPen(QColor::fromRgba(colour), core));
}
