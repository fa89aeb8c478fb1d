#pragma once
// The widget of controls that the back end draws itself (panels, labels, bevels): it paints
// through its peer and reports clicks and double clicks.

#include <QWidget>

#include "vcl50/qt/QtPeer.h"

class QtPaintedWidget : public QWidget, public QtPeerLink {
public:
    explicit QtPaintedWidget(QWidget* parent);
    ~QtPaintedWidget() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool FPressed = false;
};
