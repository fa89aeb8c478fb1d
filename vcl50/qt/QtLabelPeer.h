#pragma once
// Labels: drawn by the back end in their font and colour, '&' underlining the accelerator that
// the model's dialog manager runs.

#include "vcl50/qt/QtPeer.h"

class TLabel;

class QtLabelPeer : public QtPeer {
public:
    QtLabelPeer(TLabel* label, QWidget* parent);
    void Paint(QPainter& painter) override;
    void BoundsChanged() override;
    void CaptionChanged() override;
    void FontChanged() override;
    void AppearanceChanged() override;

private:
    TLabel* FLabel;
};
