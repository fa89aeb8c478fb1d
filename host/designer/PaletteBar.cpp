#include "host/designer/PaletteBar.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include "host/designer/PaletteImages.h"

namespace {

// The page the host registers its own classes on (host/DesignHost.cpp).
const char* const HostPage = QT_TRANSLATE_NOOP("TPaletteBar", "Data Access");

// The pointer: an arrow, as the palettes of form designers show it.
QIcon PointerIcon()
{
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{7, 3}, {7, 19}, {11, 15}, {14, 21}, {16, 20}, {13, 14}, {18, 14}}));
    return QIcon(picture);
}

}  // namespace

TPaletteBar::TPaletteBar(const TDesignRegistry& registry, QWidget* parent)
    : QTabWidget(parent), FGroup(new QButtonGroup(this)), FPointer(new QToolButton)
{
    // A second click on the chosen class lets go of it, so the group is not exclusive itself.
    FGroup->setExclusive(false);
    FPointer->setObjectName("pointerButton");
    FPointer->setIcon(PointerIcon());
    FPointer->setIconSize(QSize(24, 24));
    FPointer->setToolTip(tr("Pointer"));
    FPointer->setAccessibleName(tr("Pointer"));
    FPointer->setCheckable(true);
    FPointer->setAutoRaise(true);
    FPointer->setFixedSize(30, 30);
    connect(FPointer, &QToolButton::clicked, this, [this] { ClearChoice(); });
    setCornerWidget(FPointer, Qt::TopLeftCorner);
    Rebuild(registry);
}

void TPaletteBar::Rebuild(const TDesignRegistry& registry)
{
    ClearChoice();
    for (QAbstractButton* button : FGroup->buttons())
        FGroup->removeButton(button);
    FButtons.clear();
    FClassOf.clear();
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
            FClassOf[button] = entry.Class;
            button->installEventFilter(this);
            TComponentClass cls = entry.Class;
            connect(button, &QToolButton::clicked, this, [this, cls](bool checked) { Choose(checked ? cls : nullptr); });
            row->addWidget(button);
        }
        row->addStretch();
        // The host's own page in the person's language; a package's pages are named by the package.
        addTab(tab, page.Name == HostPage ? tr(HostPage) : QString::fromStdString(page.Name));
    }
    // The newest page is the package's, the one a person loaded the designer for.
    setCurrentIndex(count() - 1);
    setFixedHeight(sizeHint().height());
}

void TPaletteBar::Choose(TComponentClass cls)
{
    for (const auto& [buttonClass, button] : FButtons)
        button->setChecked(buttonClass == cls);
    FChosen = cls;
    FPointer->setChecked(!cls);
}

void TPaletteBar::ClearChoice()
{
    Choose(nullptr);
}

bool TPaletteBar::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    auto it = FClassOf.find(watched);
    if (it == FClassOf.end() ||
        (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease))
        return QTabWidget::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (type) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton)
            FPressedAt = mouse->globalPosition().toPoint();
        return false;
    case QEvent::MouseMove:
        // Far enough from where it was pressed, the press becomes a drag of the class.
        if ((mouse->buttons() & Qt::LeftButton) && !FDragged &&
            (mouse->globalPosition().toPoint() - FPressedAt).manhattanLength() >= QApplication::startDragDistance()) {
            FDragged = it->second;
            static_cast<QWidget*>(watched)->setCursor(Qt::DragCopyCursor);
        }
        return FDragged != nullptr;
    case QEvent::MouseButtonRelease: {
        TComponentClass dragged = std::exchange(FDragged, nullptr);
        if (!dragged)
            return false;
        auto* button = static_cast<QToolButton*>(watched);
        button->unsetCursor();
        button->setDown(false);
        ClearChoice();
        if (FOnDropped)
            FOnDropped(dragged, mouse->globalPosition().toPoint());
        return true;  // a drop, not a click
    }
    default:
        return QTabWidget::eventFilter(watched, event);
    }
}

QToolButton* TPaletteBar::Button(TComponentClass cls) const
{
    auto it = FButtons.find(cls);
    return it == FButtons.end() ? nullptr : it->second;
}
