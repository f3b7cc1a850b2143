#pragma once
// The property bar "Prop": a dockable bar that holds the property grid
// (OptionTreeWidget, with notifications on). It starts empty (there is no
// selection yet) and tells nothing on its own, not even when a row changes. Its sizes docked in a row, docked in a column and
// floating are kept apart (shell::SizingBarState), never below their
// minimums, and go to and come from the registry profile.
#include "shell/SizingBarState.h"

#include <QDockWidget>

class QMainWindow;
namespace gui {

class OptionTreeWidget;

class PropertyBar : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kBarId = 123;

    explicit PropertyBar(QMainWindow* parent);

    OptionTreeWidget* Grid() const { return grid_; }
    const shell::SizingBarState& Sizes() const { return sizes_; }

    // Reads the sizes and applies the one of the bar's placement.
    void LoadState(const QString& prefix);
    // Keeps the present size in its placement's slot and writes all three.
    [[nodiscard]] bool SaveState(const QString& prefix);

    shell::SizingBarState::Placement CurrentPlacement() const;

private:
    void ApplyPlacement();
    void KeepSize();

    QMainWindow* frame_;
    OptionTreeWidget* grid_;
    shell::SizingBarState sizes_;
};

} // namespace gui
