#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cstdint>
#include <vector>

// Every picture is designed on a 24 x 24 grid and scaled to the picture's size.
constexpr double kGrid = 24.0;

// The few colours of the hand-drawn theme: sepia ink and warm coloured pencils, with one muted
// blue for sky, glass and water.
namespace palette {
constexpr QRgb kInk = 0xff3b2b20;
constexpr QRgb kPaper = 0xfffbf1dc;
constexpr QRgb kOchre = 0xffecbd4e;
constexpr QRgb kOchreDark = 0xffcf9a36;
constexpr QRgb kRed = 0xffcf4a32;
constexpr QRgb kOrange = 0xffeb8a30;
constexpr QRgb kGreen = 0xff79a548;
constexpr QRgb kBlue = 0xff5f91b8;
constexpr QRgb kSky = 0xffbfdbe6;
constexpr QRgb kWood = 0xffb97c4c;
constexpr QRgb kStone = 0xffaea394;
}  // namespace palette

// Draws on a square picture like ink and coloured pencil on paper: every line wobbles a little
// along its length, the wobble depending only on the shape and the seed, so a shape looks the
// same at every size and every run draws the same pixels.
class Sketch {
  public:
    Sketch(QImage& image, std::uint64_t seed);

    int pixels() const { return m_pixels; }
    // Large enough for secondary lines and pencil texture; small sizes keep only the main shapes.
    bool detailed() const { return m_pixels >= 32; }

    // An ink line along `path`, `weight` times the normal ink width.
    void Ink(const QPainterPath& path, double weight = 1.0);
    // An ink line along `path` broken into dashes `dash` grid units long, `gap` units apart.
    void Dashes(const QPainterPath& path, double dash, double gap);
    // The inside of `area` coloured in.
    void Colour(const QPainterPath& area, QRgb colour);
    // The inside of `area` coloured in and its outline inked.
    void Shape(const QPainterPath& area, QRgb colour, double weight = 1.0);
    // A coloured stroke `width` grid units wide.
    void Pencil(const QPainterPath& path, QRgb colour, double width);
    // A broad coloured stroke `width` grid units wide with an ink rim, like a felt pen over ink;
    // where strokes of one path cross, the colour runs through.
    void Marker(const QPainterPath& path, QRgb colour, double width);

  private:
    std::vector<QPolygonF> Wobbled(const QPainterPath& path) const;
    void ColourIn(const std::vector<QPolygonF>& outline, QRgb colour);
    void InkAlong(const std::vector<QPolygonF>& outline, QPen pen);
    double InkWidth() const;

    QPainter m_painter;
    int m_pixels;
    double m_scale;
    std::uint64_t m_seed;
};
