#include "vcl50/qt/QtPaintedWidget.h"

#include <QMouseEvent>
#include <QPainter>

#include "vcl50/qt/QtDrag.h"

QtPaintedWidget::QtPaintedWidget(QWidget* parent) : QWidget(parent) {}
QtPaintedWidget::~QtPaintedWidget() = default;

void QtPaintedWidget::paintEvent(QPaintEvent*)
{
    if (!Peer())
        return;
    QPainter painter(this);
    Peer()->Paint(painter);
}

void QtPaintedWidget::mousePressEvent(QMouseEvent* event)
{
    FPressed = event->button() == Qt::LeftButton;
    event->accept();
    if (FPressed)
        QtDrag::Press(Peer(), event->globalPosition().toPoint());
}

void QtPaintedWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        QtDrag::Move(event->globalPosition().toPoint());
    event->accept();
}

void QtPaintedWidget::mouseReleaseEvent(QMouseEvent* event)
{
    // As the platform: a click is a press and a release both on the control.
    bool dragged = event->button() == Qt::LeftButton && QtDrag::Release(event->globalPosition().toPoint());
    bool click = !dragged && FPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    FPressed = false;
    event->accept();
    if (click && Peer())
        Peer()->Clicked();
}

void QtPaintedWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click: its release clicks nothing.
    FPressed = false;
    event->accept();
    if (event->button() == Qt::LeftButton && Peer())
        Peer()->DoubleClicked();
}
