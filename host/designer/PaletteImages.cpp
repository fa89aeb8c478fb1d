#include "host/designer/PaletteImages.h"

#include <QPainter>

#include "host/BitmapFile.h"
#include "vcl50/Resources.h"
#include "vcl50/Sysutils.h"

namespace {

// A dataset's usual picture: a small database cylinder.
QImage DrawnImage()
{
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QColor(0, 0, 128));
    p.setBrush(QColor(255, 255, 192));
    p.drawRect(4, 6, 15, 13);
    p.drawEllipse(4, 2, 15, 7);
    p.drawArc(4, 15, 15, 7, 180 * 16, 180 * 16);
    return image;
}

}  // namespace

QImage PaletteImage(const TDesignRegistry::TPaletteEntry& entry)
{
    if (entry.Module) {
        auto module = const_cast<HINSTANCE>(entry.Module);
        if (auto dib = ReadResource(module, UpperCase(entry.Class->ClassName()), RT_BITMAP)) {
            try {
                std::vector<uint8_t> file = BitmapFileOf(*dib);
                QImage image = QImage::fromData(file.data(), static_cast<int>(file.size()), "BMP");
                if (!image.isNull())
                    return image;
            } catch (const EResourceError&) {
                // A damaged bitmap is no reason to leave the class off the palette.
            }
        }
    }
    return DrawnImage();
}
