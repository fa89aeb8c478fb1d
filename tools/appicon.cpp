// appicon FOLDER: draws the designer's icon into FOLDER as a hicolor theme holds it:
// hicolor/NxN/apps/drowcast-designer.png at the usual sizes and hicolor/scalable/apps/ as SVG.
// One table of shapes on a 256-unit square serves both, so the sizes cannot drift apart: a form
// window with a table of records on it and an arrow carrying them out.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>
#include <cstdio>
#include <vector>

namespace {

struct TShape {
    enum TKind { Box, Disc, Polygon } Kind;
    QRectF Bounds;          // a box's or a disc's
    double Radius = 0;      // a box's corners
    QPolygonF Points;       // a polygon's
    QColor Fill;
};

TShape Box(double x, double y, double w, double h, const char* fill, double radius = 0)
{
    return {TShape::Box, QRectF(x, y, w, h), radius, {}, QColor(fill)};
}

std::vector<TShape> Shapes()
{
    std::vector<TShape> shapes = {
        Box(12, 24, 232, 208, "#1f3a5f", 22),    // the window's frame
        Box(20, 32, 216, 40, "#3b7dd8", 14),     // its title bar
        Box(20, 60, 216, 12, "#3b7dd8"),
        Box(20, 72, 216, 152, "#f4f6fa", 14),    // the client area
        Box(20, 72, 216, 20, "#f4f6fa"),
        Box(36, 88, 148, 28, "#9cc1f0"),         // the table's header row
    };
    for (int row = 0; row < 4; ++row)            // its records
        shapes.push_back(Box(36, 124 + row * 22, 148, 14, row % 2 ? "#d5dbe5" : "#b8c2d1"));
    shapes.push_back({TShape::Disc, QRectF(140, 136, 104, 104), 0, {}, QColor("#e8731a")});
    shapes.push_back({TShape::Polygon, {}, 0,
                      QPolygonF({{160, 178}, {190, 178}, {190, 156}, {228, 188}, {190, 220}, {190, 198}, {160, 198}}),
                      QColor("#ffffff")});
    return shapes;
}

bool WritePng(const std::vector<TShape>& shapes, int size, const QString& path)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    painter.setPen(Qt::NoPen);
    for (const TShape& shape : shapes) {
        painter.setBrush(shape.Fill);
        if (shape.Kind == TShape::Box)
            painter.drawRoundedRect(shape.Bounds, shape.Radius, shape.Radius);
        else if (shape.Kind == TShape::Disc)
            painter.drawEllipse(shape.Bounds);
        else
            painter.drawPolygon(shape.Points);
    }
    painter.end();
    return image.save(path, "PNG");
}

bool WriteSvg(const std::vector<TShape>& shapes, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n";
    for (const TShape& shape : shapes) {
        const QString fill = shape.Fill.name();
        const QRectF& r = shape.Bounds;
        if (shape.Kind == TShape::Box)
            out << QString("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"/>\n")
                       .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).arg(shape.Radius).arg(fill);
        else if (shape.Kind == TShape::Disc)
            out << QString("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"%4\"/>\n")
                       .arg(r.center().x()).arg(r.center().y()).arg(r.width() / 2).arg(fill);
        else {
            QStringList points;
            for (const QPointF& p : shape.Points)
                points << QString("%1,%2").arg(p.x()).arg(p.y());
            out << "  <polygon points=\"" << points.join(' ') << "\" fill=\"" << fill << "\"/>\n";
        }
    }
    out << "</svg>\n";
    return out.status() == QTextStream::Ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: appicon FOLDER\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]) + "/hicolor/";
    const std::vector<TShape> shapes = Shapes();
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = root + QString("%1x%1/apps").arg(size);
        if (!QDir().mkpath(folder) || !WritePng(shapes, size, folder + "/drowcast-designer.png")) {
            std::fprintf(stderr, "appicon: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    if (!QDir().mkpath(root + "scalable/apps") || !WriteSvg(shapes, root + "scalable/apps/drowcast-designer.svg")) {
        std::fprintf(stderr, "appicon: cannot write the SVG icon\n");
        return 1;
    }
    return 0;
}
