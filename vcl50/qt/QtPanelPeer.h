#pragma once
// Panels and bevels: drawn by the back end, so their frames look as the forms were designed.

#include "vcl50/qt/QtPeer.h"

class TBevel;
class TPanel;

class QtPanelPeer : public QtPeer {
public:
    QtPanelPeer(TPanel* panel, QWidget* parent);
    void Paint(QPainter& painter) override;
    void CaptionChanged() override;
    void AppearanceChanged() override;

private:
    TPanel* FPanel;
};

class QtBevelPeer : public QtPeer {
public:
    QtBevelPeer(TBevel* bevel, QWidget* parent);
    void Paint(QPainter& painter) override;
    void AppearanceChanged() override;

private:
    TBevel* FBevel;
};
