#pragma once
// The component palette: a tab per palette page in registration order, a tool button per class
// with its palette picture and its name as tooltip. A chosen class waits for a click on the form.

#include <QTabWidget>
#include <map>

#include "host/Registry.h"

class QButtonGroup;
class QToolButton;

class TPaletteBar : public QTabWidget {
public:
    explicit TPaletteBar(const TDesignRegistry& registry, QWidget* parent = nullptr);

    // The pages and buttons anew from the registry, as a package's registrations changed it.
    void Rebuild(const TDesignRegistry& registry);
    // The class waiting to be placed; null when none is.
    TComponentClass ChosenClass() const { return FChosen; }
    // Lets go of the chosen class, as placing it does.
    void ClearChoice();
    // The class's button; null for a class not on the palette.
    QToolButton* Button(TComponentClass cls) const;

private:
    QButtonGroup* FGroup;
    std::map<TComponentClass, QToolButton*> FButtons;
    TComponentClass FChosen = nullptr;
};
