#pragma once
// One QApplication for the whole test executable (Qt allows one per process).

#include <QApplication>

inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "qt_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = qApp ? static_cast<QApplication*>(qApp) : new QApplication(argc, argv);
    return *app;
}
