#pragma once
// The Qt peer of a control: one widget at the control's pixel geometry, mirroring the state that
// every control has. Families of controls derive from it for what is their own.

#include "vcl50/Controls.h"
#include "vcl50/Widgetset.h"

class QPainter;
class QWidget;
class TControl;
class QtPeer;

// Carried by every widget a peer makes, so an event can find its peer; cleared when the peer
// goes, so a widget that outlives it for a moment reports nothing.
class QtPeerLink {
public:
    virtual ~QtPeerLink();
    QtPeer* Peer() const { return FPeer; }

private:
    friend class QtPeer;
    QtPeer* FPeer = nullptr;
};

class QtPeer : public TControlPeer {
public:
    // `widget` must also derive from QtPeerLink; the peer owns it.
    QtPeer(TControl* control, QWidget* widget);
    ~QtPeer() override;

    TControl* Control() const { return FControl; }
    QWidget* Widget() const { return FWidget; }
    // The Qt peer of a control; null when it has none (its form is not shown, or another
    // widget set made it).
    static QtPeer* Of(const TControl* control);
    static QWidget* WidgetOf(const TControl* control);
    // The peer whose widget is `widget` or holds it; null for widgets of no peer.
    static QtPeer* AtWidget(QWidget* widget);

    // Mirrors the whole state once the widget exists (CreatePeer calls it).
    virtual void Synchronize();

    void BoundsChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void ColorChanged() override;
    void FontChanged() override;
    void CursorChanged() override;
    void HintChanged() override;
    void FocusChanged() override;
    void TabOrderChanged() override;

    // What the widget reports, each through the bridge: a click (press and release on the
    // widget) and a double click, whose second release is no click.
    virtual void Clicked();
    virtual void DoubleClicked();
    // Widgets the back end draws itself ask their peer.
    virtual void Paint(QPainter& painter);
    // After the model has had a key that came to this control: what the native control does
    // with it (a list moves its selection), reported through the input path as well.
    virtual void KeyPressed(WORD key, TShiftState shift);
    // Whether the widget itself takes the keys that type text, once the model has had them (a
    // line edit); other widgets see no key at all.
    virtual bool TakesTyping() const { return false; }

protected:
    // Controls without a window of their own lie under windowed siblings, as the platform
    // paints them.
    void RestackSiblings();
    // Background and text colours into the widget's palette.
    void ApplyPalette();

private:
    TControl* FControl;
    QWidget* FWidget;
};
