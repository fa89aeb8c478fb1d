#pragma once
// Push buttons, buttons of a kind and speed buttons, on QPushButton: clicks come from Qt's own
// press-release logic; Enter, Escape and accelerators are the model's dialog manager's.

#include "vcl50/qt/QtPeer.h"

class TButton;
class TSpeedButton;

class QtButtonPeer : public QtPeer {
public:
    QtButtonPeer(TControl* button, QWidget* parent);
    void Synchronize() override;
    void CaptionChanged() override;
    void AppearanceChanged() override;
    // Space on a focused push button presses it, after the key's own handlers.
    void KeyPressed(WORD key, TShiftState shift) override;
};
