#pragma once
// The one QApplication of the test executable, made as the widget set makes it (offscreen when
// there is no display, the font substitutions, one style).

#include <QApplication>

#include "vcl50/qt/QtWidgetSet.h"

inline QApplication& TestApp()
{
    TQtWidgetSet::EnsureApplication();
    return *static_cast<QApplication*>(qApp);
}
