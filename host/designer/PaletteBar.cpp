#include "host/designer/PaletteBar.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPixmap>
#include <QToolButton>

#include "host/designer/PaletteImages.h"

TPaletteBar::TPaletteBar(const TDesignRegistry& registry, QWidget* parent)
    : QTabWidget(parent), FGroup(new QButtonGroup(this))
{
    // A second click on the chosen class lets go of it, so the group is not exclusive itself.
    FGroup->setExclusive(false);
    Rebuild(registry);
}

void TPaletteBar::Rebuild(const TDesignRegistry& registry)
{
    ClearChoice();
    for (QAbstractButton* button : FGroup->buttons())
        FGroup->removeButton(button);
    FButtons.clear();
    while (count() > 0) {
        QWidget* tab = widget(0);
        removeTab(0);
        delete tab;
    }
    for (const TDesignRegistry::TPalettePage& page : registry.Pages()) {
        auto* tab = new QWidget;
        auto* row = new QHBoxLayout(tab);
        row->setContentsMargins(4, 2, 4, 2);
        row->setSpacing(1);
        for (const TDesignRegistry::TPaletteEntry& entry : page.Classes) {
            auto* button = new QToolButton;
            const QString name = QString::fromStdString(entry.Class->ClassName());
            // The icon at its own size: no scaling, no smoothing of the 16-colour picture.
            button->setIconSize(QSize(24, 24));
            button->setIcon(QIcon(QPixmap::fromImage(PaletteImage(entry))));
            button->setToolTip(name);
            button->setAccessibleName(name);
            button->setCheckable(true);
            button->setAutoRaise(true);
            button->setFixedSize(30, 30);
            FGroup->addButton(button);
            FButtons[entry.Class] = button;
            TComponentClass cls = entry.Class;
            connect(button, &QToolButton::clicked, this, [this, cls, button](bool checked) {
                for (QAbstractButton* other : FGroup->buttons())
                    if (other != button)
                        other->setChecked(false);
                FChosen = checked ? cls : nullptr;
            });
            row->addWidget(button);
        }
        row->addStretch();
        addTab(tab, QString::fromStdString(page.Name));
    }
    // The newest page is the package's, the one a person loaded the designer for.
    setCurrentIndex(count() - 1);
    setFixedHeight(sizeHint().height());
}

void TPaletteBar::ClearChoice()
{
    for (QAbstractButton* button : FGroup->buttons())
        button->setChecked(false);
    FChosen = nullptr;
}

QToolButton* TPaletteBar::Button(TComponentClass cls) const
{
    auto it = FButtons.find(cls);
    return it == FButtons.end() ? nullptr : it->second;
}
