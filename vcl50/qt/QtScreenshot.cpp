#include "vcl50/qt/QtScreenshot.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "vcl50/Sysutils.h"

namespace QtScreenshot {

QImage RenderClientArea(QWidget* widget, int width, int height)
{
    QImage image(width > 0 ? width : 1, height > 0 ? height : 1, QImage::Format_RGB32);
    image.fill(widget->palette().color(widget->backgroundRole()));
    // Pending layout and style changes must land before the widgets paint.
    QApplication::sendPostedEvents();
    QPainter painter(&image);
    widget->render(&painter, QPoint(), QRegion(0, 0, width, height),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.end();
    return image;
}

void SavePng(QWidget* widget, int width, int height, const std::string& path)
{
    if (width <= 0 || height <= 0)
        throw Exception("Cannot write a screenshot of an empty client area");
    QImage image = RenderClientArea(widget, width, height);
    if (!image.save(QString::fromStdString(path), "PNG"))
        throw EFCreateError("Cannot create file \"" + path + "\"");
}

}  // namespace QtScreenshot
