#pragma once
// A form's client area as an image: exactly the size the model gives, whatever the window
// manager did to the window.

#include <string>

class QImage;
class QWidget;

namespace QtScreenshot {

// Renders `widget` (a form's client widget) into a width x height image; parts the widget does
// not cover show its background.
QImage RenderClientArea(QWidget* widget, int width, int height);
// Writes that image as PNG; raises EFCreateError naming the path when it cannot.
void SavePng(QWidget* widget, int width, int height, const std::string& path);

}  // namespace QtScreenshot
