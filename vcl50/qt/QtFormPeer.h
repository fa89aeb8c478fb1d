#pragma once
// A form in a window of its own: a QDialog whose client area is the form's client area, with the
// form's caption, border and position. Keys that come to any widget of the form go to the model
// as KeyDown on the control that has the model's focus; the close box asks the model too.

#include "vcl50/qt/QtPeer.h"

class TCustomForm;
class QtFormWindow;

class QtFormPeer : public QtPeer {
public:
    explicit QtFormPeer(TCustomForm* form);
    ~QtFormPeer() override;

    TCustomForm* Form() const { return FForm; }
    static QtFormPeer* Of(const TCustomForm* form);

    void Synchronize() override;
    void BoundsChanged() override;
    void VisibleChanged() override;
    void CaptionChanged() override;
    void AppearanceChanged() override;
    void FocusChanged() override;
    void ModalResultChanged() override;

    // Lets every key that reaches `widget` (a widget of this form) go to the model first.
    void WatchKeys(QWidget* widget);

    // While one lives, keys reach the model only: the native follow-ups (arrows moving a list's
    // selection, Space pressing a button) are left out, as the model's input path knows none.
    struct TModelKeysOnly {
        TModelKeysOnly();
        ~TModelKeysOnly();
        TModelKeysOnly(const TModelKeysOnly&) = delete;
        TModelKeysOnly& operator=(const TModelKeysOnly&) = delete;
    };
    static bool ModelKeysOnly();

private:
    void Place();

    TCustomForm* FForm;
    QtFormWindow* FWindow;
};
