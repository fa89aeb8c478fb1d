#pragma once
// The component palette: a tab per palette page in registration order, a tool button per class
// with its palette picture and its name as tooltip, and the pointer button that chooses none. A
// chosen class waits for a click on the form; a class dragged from its button is placed where it
// is let go.

#include <QCoreApplication>
#include <QPoint>
#include <QTabWidget>
#include <functional>
#include <map>

#include "host/Registry.h"

class QButtonGroup;
class QToolButton;

class TPaletteBar : public QTabWidget {
    Q_DECLARE_TR_FUNCTIONS(TPaletteBar)

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
    // Told where a class dragged from its button was let go, in global coordinates.
    void SetOnDropped(std::function<void(TComponentClass, QPoint)> listener) { FOnDropped = std::move(listener); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Choose(TComponentClass cls);

    QButtonGroup* FGroup;
    QToolButton* FPointer;
    std::map<TComponentClass, QToolButton*> FButtons;
    std::map<QObject*, TComponentClass> FClassOf;
    TComponentClass FChosen = nullptr;
    std::function<void(TComponentClass, QPoint)> FOnDropped;
    QPoint FPressedAt;
    TComponentClass FDragged = nullptr;
};
