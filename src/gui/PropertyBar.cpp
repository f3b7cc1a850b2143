#include "gui/PropertyBar.h"

#include <QHeaderView>
#include <QMainWindow>
#include <QTreeWidget>

namespace gui {

using Placement = shell::SizingBarState::Placement;

PropertyBar::PropertyBar(QMainWindow* parent) : QDockWidget(QStringLiteral("Prop"), parent), frame_(parent)
{
    setObjectName(QStringLiteral("Prop"));
    setAllowedAreas(Qt::AllDockWidgetAreas);
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("PropertyTree"));
    tree_->setColumnCount(2);
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->header()->setSectionResizeMode(QHeaderView::Stretch);
    tree_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the columns share the width
    setWidget(tree_);
    connect(this, &QDockWidget::topLevelChanged, this, [this] { ApplyPlacement(); });
    connect(this, &QDockWidget::dockLocationChanged, this, [this] { ApplyPlacement(); });
    ApplyPlacement();
}

Placement PropertyBar::CurrentPlacement() const
{
    if (isFloating())
        return Placement::Floating;
    const Qt::DockWidgetArea area = frame_->dockWidgetArea(const_cast<PropertyBar*>(this));
    return area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea ? Placement::Horizontal
                                                                             : Placement::Vertical;
}

void PropertyBar::ApplyPlacement()
{
    const Placement placement = CurrentPlacement();
    const shell::BarSize minimum = shell::SizingBarState::Minimum(placement);
    tree_->setMinimumSize(minimum.cx, minimum.cy);
    const shell::BarSize size = sizes_.Size(placement);
    if (frame_->dockWidgetArea(this) == Qt::NoDockWidgetArea && !isFloating())
        return; // not placed yet
    if (placement == Placement::Floating)
        resize(size.cx, size.cy);
    else if (placement == Placement::Horizontal)
        frame_->resizeDocks({this}, {size.cy}, Qt::Vertical);
    else
        frame_->resizeDocks({this}, {size.cx}, Qt::Horizontal);
}

void PropertyBar::KeepSize()
{
    if (isVisible())
        sizes_.SetSize(CurrentPlacement(), shell::BarSize{width(), height()});
}

void PropertyBar::LoadState(const QString& prefix)
{
    sizes_.LoadState(prefix, kBarId);
    ApplyPlacement();
}

bool PropertyBar::SaveState(const QString& prefix)
{
    KeepSize();
    return sizes_.SaveState(prefix, kBarId);
}

} // namespace gui
