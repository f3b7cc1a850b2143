#pragma once
// The command engine's user interface in the main window: the prompt in
// status pane 0 and the state bar, the cursor position in the position bar,
// the value and coordinate dialogs and the view's popup menu, each shown
// over the view's widget.
#include "command/CommandUi.h"

#include <functional>

class QWidget;

namespace app {

class ViewCommandUi : public CommandUi {
public:
    explicit ViewCommandUi(QWidget* view) : view_(view) {}

    void SetStatusText(const QString& text) override;
    void SetStateText(const QString& text) override;
    void SetPositionText(const QString& text) override;
    bool AskValue(const QString& label, QString& value, bool validate) override;
    bool AskCoordinate(CoordinateEntry& entry) override;
    int ShowContextMenu(const std::vector<ContextMenuItem>& items, platform::DevicePoint screen) override;
    void EditProperties() override
    {
        if (onEditProperties)
            onEditProperties();
    }

    // The view's properties driver (set by the view).
    std::function<void()> onEditProperties;

private:
    QWidget* view_;
};

} // namespace app
