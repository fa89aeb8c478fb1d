#include "vcl50/qt/QtComboBoxPeer.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStringList>

#include "vcl50/Input.h"
#include "vcl50/StdCtrls.h"
#include "vcl50/qt/QtBridge.h"

namespace {

class QtComboWidget : public QComboBox, public QtPeerLink {
public:
    using QComboBox::QComboBox;
};

constexpr WORD VK_UP = 0x26, VK_DOWN = 0x28, VK_F4 = 0x73;

}  // namespace

QtComboBoxPeer::QtComboBoxPeer(TComboBox* combo, QWidget* parent)
    : QtPeer(combo, new QtComboWidget(parent)), FCombo(combo)
{
    auto* widget = static_cast<QtComboWidget*>(Widget());
    QObject::connect(widget, &QComboBox::activated, widget, [widget](int index) {
        QtPeer* peer = widget->Peer();
        if (!peer)
            return;
        auto* model = static_cast<TComboBox*>(peer->Control());
        QtBridge::Deliver(model, [model, index] { Input::ChooseItem(model, index); });
        // A choice the model's handlers undid shows as the model has it.
        if (QtPeer* still = widget->Peer())
            still->ItemIndexChanged();
    });
}

void QtComboBoxPeer::Synchronize()
{
    QtPeer::Synchronize();
    ItemsChanged();
}

void QtComboBoxPeer::ItemsChanged()
{
    auto* combo = static_cast<QComboBox*>(Widget());
    QSignalBlocker block(combo);
    QStringList entries;
    TStrings* items = FCombo->Items();
    entries.reserve(items->Count());
    for (int i = 0; i < items->Count(); ++i)
        entries << QString::fromStdString(items->Get(i));
    combo->clear();
    combo->addItems(entries);
    ItemIndexChanged();
}

void QtComboBoxPeer::ItemIndexChanged()
{
    auto* combo = static_cast<QComboBox*>(Widget());
    QSignalBlocker block(combo);
    combo->setCurrentIndex(FCombo->ItemIndex());
    CaptionChanged();
}

void QtComboBoxPeer::CaptionChanged()
{
    // With no entry chosen, a drop-down combo still shows the text the model holds.
    auto* combo = static_cast<QComboBox*>(Widget());
    combo->setPlaceholderText(FCombo->ItemIndex() < 0 ? QString::fromStdString(FCombo->Text()) : QString());
}

void QtComboBoxPeer::AppearanceChanged()
{
    ItemsChanged();
}

void QtComboBoxPeer::KeyPressed(WORD key, TShiftState shift)
{
    auto* combo = static_cast<QComboBox*>(Widget());
    if ((key == VK_DOWN && shift.Contains(ssAlt)) || key == VK_F4) {
        combo->showPopup();
        return;
    }
    if (!shift.Empty() || (key != VK_UP && key != VK_DOWN))
        return;
    int index = FCombo->ItemIndex() + (key == VK_DOWN ? 1 : -1);
    if (index < 0 || index >= FCombo->Items()->Count())
        return;
    TComboBox* model = FCombo;
    QtBridge::Deliver(model, [model, index] { Input::ChooseItem(model, index); });
}
