#include "gui/PropertyBar.h"

#include "gui/OptionTreeWidget.h"

#include <QMainWindow>

namespace gui {

using Placement = shell::SizingBarState::Placement;

PropertyBar::PropertyBar(QMainWindow* parent) : QDockWidget(QStringLiteral("Prop"), parent), frame_(parent)
{
    setObjectName(QStringLiteral("Prop"));
    setAllowedAreas(Qt::AllDockWidgetAreas);
    grid_ = new OptionTreeWidget(kOptionTreeHostOptions, this);
    grid_->setObjectName(QStringLiteral("PropertyGrid"));
    grid_->Tree().SetNotify(true);
    setWidget(grid_);
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
    grid_->setMinimumSize(minimum.cx, minimum.cy);
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
