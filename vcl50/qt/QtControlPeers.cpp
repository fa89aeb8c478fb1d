#include "vcl50/qt/QtControlPeers.h"

#include <QPainter>

#include "vcl50/Buttons.h"
#include "vcl50/ExtCtrls.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/qt/QtButtonPeer.h"
#include "vcl50/qt/QtColors.h"
#include "vcl50/qt/QtComboBoxPeer.h"
#include "vcl50/qt/QtEditPeer.h"
#include "vcl50/qt/QtLabelPeer.h"
#include "vcl50/qt/QtListBoxPeer.h"
#include "vcl50/qt/QtPaintedWidget.h"
#include "vcl50/qt/QtPanelPeer.h"

namespace QtControlPeers {
namespace {

// A control of a class no row claims still gets a place and a colour on its form.
class QtGenericPeer : public QtPeer {
public:
    QtGenericPeer(TControl* control, QWidget* parent) : QtPeer(control, new QtPaintedWidget(parent)) {}
    void Paint(QPainter& painter) override
    {
        painter.fillRect(0, 0, Control()->Width(), Control()->Height(), QtColors::ToQColor(Control()->Color()));
    }
};

using TFactory = std::unique_ptr<QtPeer> (*)(TControl* control, QWidget* parent);

// The row's class is the control's class or one of its parents, and a metaclass's parents are
// the C++ bases of its class, so the static cast is sound.
template <class C, class Peer>
std::unique_ptr<QtPeer> Make(TControl* control, QWidget* parent)
{
    return std::make_unique<Peer>(static_cast<C*>(control), parent);
}

struct TRow {
    TClass (*Class)();
    TFactory Create;
};

const TRow Rows[] = {
    {&TPanel::StaticClass, &Make<TPanel, QtPanelPeer>},
    {&TBevel::StaticClass, &Make<TBevel, QtBevelPeer>},
    {&TLabel::StaticClass, &Make<TLabel, QtLabelPeer>},
    {&TButton::StaticClass, &Make<TControl, QtButtonPeer>},
    {&TSpeedButton::StaticClass, &Make<TControl, QtButtonPeer>},
    {&TCustomListBox::StaticClass, &Make<TCustomListBox, QtListBoxPeer>},
    {&TComboBox::StaticClass, &Make<TComboBox, QtComboBoxPeer>},
    {&TEdit::StaticClass, &Make<TEdit, QtEditPeer>},
};

TFactory FactoryOf(TClass cls)
{
    for (; cls; cls = cls->ClassParent())
        for (const TRow& row : Rows)
            if (row.Class() == cls)
                return row.Create;
    return &Make<TControl, QtGenericPeer>;
}

}  // namespace

std::unique_ptr<QtPeer> Create(TControl* control, QWidget* parent)
{
    return FactoryOf(control->ClassType())(control, parent);
}

}  // namespace QtControlPeers
