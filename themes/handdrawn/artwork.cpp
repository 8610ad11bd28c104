#include "themes/handdrawn/artwork.h"

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <numbers>

// Each drawing is a small vector description on the 24 x 24 design grid. Secondary lines (text
// on sheets, globe parallels) appear only where the picture has room for them.

using namespace palette;

namespace {

// Every picture's wobble derives from this and its key: fixed, so builds are reproducible.
constexpr std::uint64_t kThemeSeed = 0x68616e6464726177ULL;

// FNV-1a.
std::uint64_t KeySeed(const char* key) {
    std::uint64_t hash = 0xcbf29ce484222325ULL ^ kThemeSeed;
    for (const char* c = key; *c != '\0'; ++c) {
        hash = (hash ^ static_cast<unsigned char>(*c)) * 0x100000001b3ULL;
    }
    return hash;
}

QPainterPath Polyline(std::initializer_list<QPointF> points) {
    QPainterPath path;
    for (const QPointF& point : points) {
        if (path.elementCount() == 0) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    return path;
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path = Polyline(points);
    path.closeSubpath();
    return path;
}

QPainterPath Line(QPointF from, QPointF to) {
    return Polyline({from, to});
}

// A plus sign, or with `diagonal` a saint Andrew's cross, its arms `arm` units from the centre.
QPainterPath Cross(QPointF centre, double arm, bool diagonal) {
    const QPointF a = diagonal ? QPointF(arm, arm) : QPointF(0.0, arm);
    const QPointF b = diagonal ? QPointF(arm, -arm) : QPointF(arm, 0.0);
    QPainterPath path = Line(centre - a, centre + a);
    path.addPath(Line(centre - b, centre + b));
    return path;
}

QPainterPath Circle(QPointF centre, double radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath Ellipse(QPointF centre, double rx, double ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPointF Polar(QPointF centre, double radius, double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    return centre + QPointF(std::cos(radians), std::sin(radians)) * radius;
}

QPointF Unit(QPointF vector) {
    return vector / std::hypot(vector.x(), vector.y());
}

// A straight arrow with a shaft `shaft` wide and a head `head` wide and `headLength` long.
QPainterPath BlockArrow(QPointF from, QPointF to, double shaft, double head, double headLength) {
    const QPointF along = Unit(to - from);
    const QPointF across(-along.y(), along.x());
    const QPointF base = to - along * headLength;
    return Polygon({from + across * (shaft / 2), base + across * (shaft / 2), base + across * (head / 2), to,
                    base - across * (head / 2), base - across * (shaft / 2), from - across * (shaft / 2)});
}

// The arrow every icon uses: bold enough to keep its colour inside the ink at 16 pixels.
QPainterPath Arrow(QPointF from, QPointF to) {
    return BlockArrow(from, to, 4.6, 10.5, 6.0);
}

// An arrow bent along a circle, from `start` degrees turning `sweep` degrees (clockwise on screen).
QPainterPath ArcArrow(QPointF centre, double radius, double start, double sweep, double width, double head,
                      double headLength) {
    const double headDegrees = headLength / radius * 180.0 / std::numbers::pi;
    const double bodyEnd = start + sweep - headDegrees;
    const int steps = 16;
    QPainterPath path;
    path.moveTo(Polar(centre, radius + width / 2, start));
    for (int i = 1; i <= steps; ++i) {
        path.lineTo(Polar(centre, radius + width / 2, start + (bodyEnd - start) * i / steps));
    }
    path.lineTo(Polar(centre, radius + head / 2, bodyEnd));
    path.lineTo(Polar(centre, radius, start + sweep));
    path.lineTo(Polar(centre, radius - head / 2, bodyEnd));
    for (int i = steps; i >= 0; --i) {
        path.lineTo(Polar(centre, radius - width / 2, start + (bodyEnd - start) * i / steps));
    }
    path.closeSubpath();
    return path;
}

QPainterPath Star(QPointF centre, double outer, double inner) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const QPointF point = Polar(centre, i % 2 == 0 ? outer : inner, -90.0 + 36.0 * i);
        if (i == 0) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
    }
    path.closeSubpath();
    return path;
}

// A sheet of paper with its top right corner folded over.
void DrawSheet(Sketch& sketch, const QRectF& r, double fold, bool text) {
    sketch.Shape(Polygon({r.topLeft(),
                          {r.right() - fold, r.top()},
                          {r.right(), r.top() + fold},
                          r.bottomRight(),
                          r.bottomLeft()}),
                 kPaper);
    sketch.Ink(
        Polyline(
            {{r.right() - fold, r.top()}, {r.right() - fold, r.top() + fold}, {r.right(), r.top() + fold}}),
        0.8);
    if (!text || !sketch.detailed()) {
        return;
    }
    const double left = r.left() + 2.5;
    for (double y = r.top() + fold + 2.5; y < r.bottom() - 2.0; y += 3.0) {
        const double right = y < r.top() + fold + 1.0 ? r.right() - fold - 1.5 : r.right() - 2.5;
        sketch.Ink(Line({left, y}, {right, y}), 0.55);
    }
}

// A folder seen from the front, its tab at the top left; open, the front leans forward.
void DrawFolder(Sketch& sketch, const QRectF& r, bool open) {
    const double tabTop = r.top();
    const double backTop = r.top() + 2.0;
    sketch.Shape(Polygon({{r.left(), tabTop},
                          {r.left() + 6.5, tabTop},
                          {r.left() + 8.0, backTop},
                          {r.right(), backTop},
                          r.bottomRight(),
                          r.bottomLeft()}),
                 kOchreDark);
    if (open) {
        sketch.Shape(Polygon({{r.left() + 3.5, r.top() + 6.5},
                              {r.right() + 1.5, r.top() + 6.5},
                              r.bottomRight(),
                              r.bottomLeft()}),
                     kOchre);
    } else {
        sketch.Shape(
            Polygon({{r.left(), r.top() + 4.5}, {r.right(), r.top() + 4.5}, r.bottomRight(), r.bottomLeft()}),
            kOchre);
    }
}

void DrawClipboard(Sketch& sketch, double left) {
    sketch.Shape(Polygon({{left, 3.5}, {left + 13.0, 3.5}, {left + 13.0, 21.5}, {left, 21.5}}), kWood);
    sketch.Shape(Polygon({{left + 2.0, 6.0}, {left + 11.0, 6.0}, {left + 11.0, 19.5}, {left + 2.0, 19.5}}),
                 kPaper, 0.8);
    sketch.Shape(Polygon({{left + 4.0, 2.0}, {left + 9.0, 2.0}, {left + 9.0, 5.5}, {left + 4.0, 5.5}}),
                 kStone, 0.8);
    if (sketch.detailed()) {
        for (double y = 9.5; y < 18.0; y += 3.0) {
            sketch.Ink(Line({left + 4.0, y}, {left + 9.0, y}), 0.55);
        }
    }
}

// A round badge with a mark drawn on it in paper colour or ink.
void DrawDisc(Sketch& sketch, QRgb colour) {
    sketch.Shape(Circle({12.0, 12.0}, 9.8), colour);
}

void DrawNew(Sketch& sketch) {
    DrawSheet(sketch, {3.5, 2.0, 13.0, 18.5}, 4.0, true);
    sketch.Marker(Cross({17.5, 17.0}, 4.5, false), kGreen, 2.8);
}

void DrawAdd(Sketch& sketch) {
    sketch.Marker(Cross({12.0, 12.0}, 8.5, false), kGreen, 4.6);
}

void DrawInFiles(Sketch& sketch) {
    DrawSheet(sketch, {9.0, 2.0, 13.0, 19.5}, 4.0, true);
    sketch.Shape(Arrow({1.5, 6.5}, {13.0, 16.5}), kGreen);
}

void DrawInFolder(Sketch& sketch) {
    DrawFolder(sketch, {2.0, 7.5, 19.5, 14.0}, true);
    sketch.Shape(Arrow({13.0, 1.0}, {13.0, 13.5}), kGreen);
}

void DrawOutFolder(Sketch& sketch) {
    DrawFolder(sketch, {1.5, 8.0, 19.0, 14.0}, false);
    sketch.Shape(Arrow({8.5, 16.5}, {21.5, 3.5}), kOrange);
}

void DrawOutFormat(Sketch& sketch) {
    sketch.Shape(Polygon({{2.0, 4.0}, {22.0, 4.0}, {22.0, 20.0}, {2.0, 20.0}}), kWood);
    sketch.Shape(Polygon({{5.0, 7.0}, {19.0, 7.0}, {19.0, 17.0}, {5.0, 17.0}}), kSky, 0.8);
    QPainterPath hills;
    hills.moveTo(5.0, 17.0);
    hills.lineTo(5.0, 14.5);
    hills.quadTo(9.0, 9.5, 12.5, 14.0);
    hills.quadTo(15.5, 11.0, 19.0, 13.5);
    hills.lineTo(19.0, 17.0);
    hills.closeSubpath();
    sketch.Shape(hills, kGreen, 0.8);
    sketch.Shape(Circle({15.5, 9.8}, 1.7), kOrange, 0.7);
}

void DrawFavFolder(Sketch& sketch) {
    DrawFolder(sketch, {1.5, 3.5, 21.0, 17.0}, false);
    sketch.Shape(Star({12.0, 14.0}, 7.4, 3.3), kRed, 0.8);
}

void DrawImportFiles(Sketch& sketch) {
    DrawClipboard(sketch, 9.0);
    sketch.Shape(Arrow({1.0, 13.0}, {14.0, 13.0}), kGreen);
}

void DrawExportFiles(Sketch& sketch) {
    DrawClipboard(sketch, 2.0);
    sketch.Shape(Arrow({10.0, 13.0}, {23.0, 13.0}), kOrange);
}

void DrawExit(Sketch& sketch) {
    sketch.Shape(Polygon({{3.0, 2.5}, {14.0, 2.5}, {14.0, 21.5}, {3.0, 21.5}}), kInk, 1.0);
    sketch.Shape(Polygon({{3.0, 2.5}, {9.5, 4.5}, {9.5, 23.0}, {3.0, 21.5}}), kWood);
    sketch.Colour(Circle({8.0, 13.0}, 1.0), kInk);
    sketch.Shape(Arrow({11.0, 12.0}, {23.0, 12.0}), kOrange);
}

void DrawCopy(Sketch& sketch) {
    DrawSheet(sketch, {3.0, 2.0, 12.0, 15.0}, 3.5, false);
    DrawSheet(sketch, {9.5, 7.0, 12.0, 15.0}, 3.5, true);
}

void DrawDelete(Sketch& sketch) {
    sketch.Marker(Cross({12.0, 12.0}, 7.0, true), kRed, 4.2);
}

void DrawSelectAll(Sketch& sketch) {
    sketch.Colour(Polygon({{3.0, 3.0}, {21.0, 3.0}, {21.0, 21.0}, {3.0, 21.0}}), kSky);
    sketch.Dashes(Polygon({{3.0, 3.0}, {21.0, 3.0}, {21.0, 21.0}, {3.0, 21.0}}), 3.2, 3.2);
    sketch.Shape(Polygon({{8.0, 8.0}, {16.0, 8.0}, {16.0, 16.0}, {8.0, 16.0}}), kBlue);
}

void DrawConvert(Sketch& sketch) {
    sketch.Shape(ArcArrow({12.0, 12.0}, 7.2, 190.0, 150.0, 4.4, 10.0, 5.0), kOrange);
    sketch.Shape(ArcArrow({12.0, 12.0}, 7.2, 10.0, 150.0, 4.4, 10.0, 5.0), kGreen);
}

void DrawError(Sketch& sketch) {
    DrawDisc(sketch, kRed);
    sketch.Pencil(Line({12.0, 6.0}, {12.0, 13.0}), kPaper, 3.0);
    sketch.Colour(Circle({12.0, 17.3}, 1.7), kPaper);
}

void DrawPreferences(Sketch& sketch) {
    const QPointF centre(12.0, 12.0);
    QPainterPath gear;
    for (int tooth = 0; tooth < 8; ++tooth) {
        const double angle = 45.0 * tooth;
        for (const auto& [radius, offset] : {std::pair{7.3, -15.0}, {10.3, -8.5}, {10.3, 8.5}, {7.3, 15.0}}) {
            const QPointF point = Polar(centre, radius, angle + offset);
            if (gear.elementCount() == 0) {
                gear.moveTo(point);
            } else {
                gear.lineTo(point);
            }
        }
    }
    gear.closeSubpath();
    gear.addEllipse(centre, 3.2, 3.2);
    gear.setFillRule(Qt::OddEvenFill);
    sketch.Shape(gear, kStone);
}

void DrawCustomConverter(Sketch& sketch) {
    sketch.Marker(Line({15.0, 15.0}, {20.5, 20.5}), kWood, 3.6);
    sketch.Shape(Circle({10.0, 10.0}, 7.0), kSky, 1.2);
    if (sketch.detailed()) {
        QPainterPath glint;
        glint.moveTo(6.5, 9.5);
        glint.quadTo(6.8, 6.8, 9.5, 6.5);
        sketch.Pencil(glint, kPaper, 1.2);
    }
}

void DrawHelp(Sketch& sketch) {
    DrawDisc(sketch, kOchre);
    QPainterPath hook;
    hook.moveTo(8.7, 9.4);
    hook.cubicTo(8.7, 5.6, 15.3, 5.6, 15.3, 9.3);
    hook.cubicTo(15.3, 11.8, 12.0, 11.6, 12.0, 14.2);
    sketch.Ink(hook, 1.5);
    sketch.Colour(Circle({12.0, 17.6}, 1.5), kInk);
}

void DrawEmail(Sketch& sketch) {
    const QRectF r(2.0, 5.0, 20.0, 14.0);
    sketch.Shape(Polygon({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}), kPaper);
    sketch.Ink(Polyline({r.topLeft(), {12.0, 12.5}, r.topRight()}));
    if (sketch.detailed()) {
        sketch.Ink(Line(r.bottomLeft(), {9.0, 10.8}), 0.6);
        sketch.Ink(Line(r.bottomRight(), {15.0, 10.8}), 0.6);
    }
}

void DrawWeb(Sketch& sketch) {
    const QPointF centre(12.0, 12.0);
    sketch.Shape(Circle(centre, 9.8), kBlue);
    if (sketch.detailed()) {
        QPainterPath land;
        land.moveTo(5.0, 7.5);
        land.quadTo(9.0, 5.5, 10.0, 9.0);
        land.quadTo(11.0, 12.5, 7.5, 14.0);
        land.quadTo(4.5, 15.0, 3.5, 12.0);
        land.closeSubpath();
        land.moveTo(14.0, 12.5);
        land.quadTo(19.0, 11.0, 20.0, 14.5);
        land.quadTo(18.5, 19.0, 15.0, 19.0);
        land.quadTo(12.5, 16.5, 14.0, 12.5);
        land.closeSubpath();
        sketch.Colour(land, kGreen);
        sketch.Ink(Line({4.0, 7.5}, {20.0, 7.5}), 0.6);
        sketch.Ink(Line({4.0, 16.5}, {20.0, 16.5}), 0.6);
        sketch.Ink(Line({12.0, 2.2}, {12.0, 21.8}), 0.6);
    }
    sketch.Ink(Ellipse(centre, 4.3, 9.8), 0.8);
    sketch.Ink(Line({2.2, 12.0}, {21.8, 12.0}), 0.8);
}

void DrawUpdates(Sketch& sketch) {
    sketch.Shape(Polygon({{2.0, 14.0},
                          {7.0, 14.0},
                          {8.5, 17.0},
                          {15.5, 17.0},
                          {17.0, 14.0},
                          {22.0, 14.0},
                          {22.0, 21.5},
                          {2.0, 21.5}}),
                 kStone);
    sketch.Shape(Arrow({12.0, 1.5}, {12.0, 15.0}), kBlue);
}

void DrawAbout(Sketch& sketch) {
    DrawDisc(sketch, kBlue);
    sketch.Colour(Circle({12.0, 7.0}, 1.8), kPaper);
    sketch.Pencil(Line({12.0, 11.0}, {12.0, 17.5}), kPaper, 3.2);
}

void DrawConvertButton(Sketch& sketch) {
    sketch.Shape(Circle({12.0, 12.0}, 10.8), kPaper, 0.8);
    sketch.Shape(ArcArrow({12.0, 12.0}, 8.0, 195.0, 140.0, 2.6, 6.0, 3.5), kOrange, 0.8);
    sketch.Shape(ArcArrow({12.0, 12.0}, 8.0, 15.0, 140.0, 2.6, 6.0, 3.5), kGreen, 0.8);
    sketch.Shape(Polygon({{9.6, 7.8}, {16.4, 12.0}, {9.6, 16.2}}), kRed, 0.8);
}

}  // namespace

const std::vector<IconArt>& HanddrawnIcons() {
    static const std::vector<IconArt> icons = {
        {"New", "new", DrawNew},
        {"Add", "add", DrawAdd},
        {"InFiles", "infiles", DrawInFiles},
        {"InFolder", "infolder", DrawInFolder},
        {"OutFolder", "outfolder", DrawOutFolder},
        {"OutFormat", "outformat", DrawOutFormat},
        {"FavFolder", "favfolder", DrawFavFolder},
        {"ImportFiles", "importfiles", DrawImportFiles},
        {"ExportFiles", "exportfiles", DrawExportFiles},
        {"Exit", "exit", DrawExit},
        {"Copy", "copy", DrawCopy},
        {"Delete", "delete", DrawDelete},
        {"SelectAll", "selectall", DrawSelectAll},
        {"Convert", "convert", DrawConvert},
        {"Error", "error", DrawError},
        {"Preferences", "preferences", DrawPreferences},
        {"CustomConverter", "customconverter", DrawCustomConverter},
        {"Help", "help", DrawHelp},
        {"Email", "email", DrawEmail},
        {"Web", "web", DrawWeb},
        {"Updates", "updates", DrawUpdates},
        {"About", "about", DrawAbout},
    };
    return icons;
}

const std::vector<ButtonArt>& HanddrawnButtons() {
    static const std::vector<ButtonArt> buttons = {
        {"Convert", "convert.png", 64, DrawConvertButton},
        {"InFiles", "infiles.png", 48, DrawInFiles},
        {"InFolder", "infolder.png", 48, DrawInFolder},
    };
    return buttons;
}

QImage DrawPicture(const char* key, Drawing draw, int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        Sketch sketch(image, KeySeed(key));
        draw(sketch);
    }
    QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    // 72 dots per inch whatever the screen says, so the PNG bytes do not depend on the machine.
    straight.setDotsPerMeterX(2835);
    straight.setDotsPerMeterY(2835);
    return straight;
}
