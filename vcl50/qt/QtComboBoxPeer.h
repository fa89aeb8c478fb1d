#pragma once
// Combo boxes on QComboBox: a person's choice (activated, never a change from code) reaches the
// model as ChooseItem, so OnChange runs once per choice.

#include "vcl50/qt/QtPeer.h"

class TComboBox;

class QtComboBoxPeer : public QtPeer {
public:
    QtComboBoxPeer(TComboBox* combo, QWidget* parent);
    void Synchronize() override;
    void CaptionChanged() override;
    void ItemsChanged() override;
    void ItemIndexChanged() override;
    void AppearanceChanged() override;
    // Up and Down choose the neighbouring entry; Alt+Down and F4 open the drop-down.
    void KeyPressed(WORD key, TShiftState shift) override;

private:
    TComboBox* FCombo;
};
