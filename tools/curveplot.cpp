// curveplot CSV PNG [WHAT]: draws the series of a "series,n,cpu_ms,..." CSV (header line first) on
// log-log axes as a PNG, with an n log n line through each series' first point for comparison.
// WHAT names n on the axis (default "fields"); the axis marks every n the CSV holds.

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <vector>

namespace {

struct TPoint {
    double N, Ms;
};

using TSeries = std::map<QString, std::vector<TPoint>>;

TSeries Read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    in.readLine();  // the header
    TSeries series;
    while (!in.atEnd()) {
        const QStringList cells = in.readLine().split(',');
        if (cells.size() >= 3)
            series[cells[0]].push_back({cells[1].toDouble(), cells[2].toDouble()});
    }
    return series;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: curveplot CSV PNG [WHAT]\n");
        return 2;
    }
    const QString what = argc == 4 ? QString::fromLocal8Bit(argv[3]) : QString("fields");
    const TSeries series = Read(argv[1]);
    double minN = INFINITY, maxN = 0, minMs = INFINITY, maxMs = 0;
    std::set<double> marks;
    for (const auto& [name, points] : series)
        for (const TPoint& p : points) {
            marks.insert(p.N);
            minN = std::min(minN, p.N), maxN = std::max(maxN, p.N);
            minMs = std::min(minMs, p.Ms), maxMs = std::max(maxMs, p.Ms);
        }
    if (series.empty() || minN <= 0 || minMs <= 0 || minN == maxN) {
        std::fprintf(stderr, "curveplot: no positive points in %s\n", argv[1]);
        return 1;
    }
    minMs /= 2, maxMs *= 2;

    const int width = 640, height = 420, margin = 60;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    auto at = [&](double n, double ms) {
        const double x = std::log(n / minN) / std::log(maxN / minN);
        const double y = std::log(ms / minMs) / std::log(maxMs / minMs);
        return QPointF(margin + x * (width - 2 * margin), height - margin - y * (height - 2 * margin));
    };
    painter.drawRect(margin, margin, width - 2 * margin, height - 2 * margin);
    painter.drawText(QRectF(0, height - margin + 25, width, 20), Qt::AlignCenter, what + " (log scale)");
    painter.drawText(QRectF(5, 5, width, 20), Qt::AlignLeft, "CPU milliseconds (log scale); dashed: n log n");
    for (double n : marks)
        painter.drawText(at(n, minMs) + QPointF(-20, 18), QString::number(n, 'f', 0));
    for (double ms = std::pow(10, std::floor(std::log10(minMs))); ms <= maxMs; ms *= 10)
        if (ms >= minMs)
            painter.drawText(QRectF(0, at(minN, ms).y() - 8, margin - 5, 16), Qt::AlignRight, QString::number(ms));

    const QColor colours[] = {Qt::blue, Qt::red, Qt::darkGreen, Qt::magenta};
    int index = 0;
    for (const auto& [name, points] : series) {
        const QColor colour = colours[index % 4];
        const TPoint first = points.front();
        painter.setPen(QPen(colour, 1, Qt::DashLine));
        for (size_t i = 1; i < points.size(); ++i) {
            auto reference = [&](double n) { return first.Ms * n * std::log(n) / (first.N * std::log(first.N)); };
            painter.drawLine(at(points[i - 1].N, reference(points[i - 1].N)), at(points[i].N, reference(points[i].N)));
        }
        painter.setPen(QPen(colour, 2));
        for (size_t i = 1; i < points.size(); ++i)
            painter.drawLine(at(points[i - 1].N, points[i - 1].Ms), at(points[i].N, points[i].Ms));
        painter.drawText(QPointF(margin + 10, margin + 20 + 18 * index), name);
        ++index;
    }
    painter.end();
    if (!image.save(argv[2], "PNG")) {
        std::fprintf(stderr, "curveplot: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
