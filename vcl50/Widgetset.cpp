#include "vcl50/Widgetset.h"

namespace {

// Widgets alive, of whichever widget set made them.
int& LivePeers()
{
    static int count = 0;
    return count;
}

struct TCurrentWidgetSet {
    TWidgetSetFactory MakeDefault = nullptr;
    std::unique_ptr<TWidgetSet> Installed;  // null: the default serves, made on first use
};

TCurrentWidgetSet& Current()
{
    static TCurrentWidgetSet current;
    return current;
}

}  // namespace

TControlPeer::TControlPeer()
{
    ++LivePeers();
}

TControlPeer::~TControlPeer()
{
    --LivePeers();
}

void TControlPeer::BoundsChanged() {}
void TControlPeer::VisibleChanged() {}
void TControlPeer::EnabledChanged() {}
void TControlPeer::CaptionChanged() {}
void TControlPeer::ColorChanged() {}
void TControlPeer::FontChanged() {}
void TControlPeer::CursorChanged() {}
void TControlPeer::HintChanged() {}
void TControlPeer::FocusChanged() {}
void TControlPeer::TabOrderChanged() {}
void TControlPeer::AppearanceChanged() {}
void TControlPeer::ItemsChanged() {}
void TControlPeer::SelectionChanged() {}
void TControlPeer::ItemIndexChanged() {}
void TControlPeer::CheckedChanged() {}
void TControlPeer::ModalResultChanged() {}

TWidgetSet::~TWidgetSet() = default;

void TWidgetSet::ProcessMessages() {}

void SetWidgetSet(std::unique_ptr<TWidgetSet> widgetSet)
{
    if (LivePeers() > 0)
        throw EInvalidOperation("Cannot change the widget set while a form is shown");
    Current().Installed = widgetSet ? std::move(widgetSet) : Current().MakeDefault();
}

TWidgetSet& WidgetSet()
{
    TCurrentWidgetSet& current = Current();
    if (!current.Installed)
        current.Installed = current.MakeDefault();
    return *current.Installed;
}

void SetDefaultWidgetSet(TWidgetSetFactory makeDefault)
{
    Current().MakeDefault = makeDefault;
}
