#pragma once
// Edit boxes on QLineEdit: what a person types (textEdited, never a change from code) reaches the
// model as TypeText, so OnChange runs once per edit; the line shows the model's text.

#include "vcl50/qt/QtPeer.h"

class TEdit;

class QtEditPeer : public QtPeer {
public:
    QtEditPeer(TEdit* edit, QWidget* parent);
    void Synchronize() override;
    void CaptionChanged() override;
    // Typing keys reach the line itself once the model has had them.
    bool TakesTyping() const override { return true; }

private:
    TEdit* FEdit;
};
