#pragma once
// A document shown in a view without a window, its input rules driven
// through a scripted user interface: prompts and position texts are
// recorded, the value and coordinate dialogs answer from queues (an empty
// answer is Cancel), the context menu records its items and picks a command.
#include "command/CInputRequest.h"
#include "command/CommandUi.h"
#include "command/ViewInput.h"
#include "display/DrawContext.h"
#include "options/KeyBinding.h"
#include "options/Options.h"
#include "platform/Registry.h"
#include "element/Element.h"
#include "section/Section.h"
#include "view/ViewCore.h"

#include "common/TempDir.h"
#include "view/ViewTestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>
#include <optional>

namespace commandtest {

struct ScriptedUi : CommandUi {
    QString status;
    QString state;
    QString position;
    std::deque<std::optional<QString>> values;
    std::vector<QString> valueLabels;
    std::deque<std::optional<CoordinateEntry>> coordinates;
    std::vector<CoordinateEntry> coordinatesShown;
    std::vector<std::vector<ContextMenuItem>> menus;
    int menuChoice = 0;
    // The element properties asked for, with the status line at that time.
    std::vector<QString> propertiesShownWith;

    void EditProperties() override { propertiesShownWith.push_back(status); }
    void SetStatusText(const QString& text) override { status = text; }
    void SetStateText(const QString& text) override { state = text; }
    void SetPositionText(const QString& text) override { position = text; }
    bool AskValue(const QString& label, QString& value, bool) override
    {
        valueLabels.push_back(label);
        if (values.empty() || !values.front()) {
            if (!values.empty())
                values.pop_front();
            return false;
        }
        value = *values.front();
        values.pop_front();
        return true;
    }
    bool AskCoordinate(CoordinateEntry& entry) override
    {
        coordinatesShown.push_back(entry);
        if (coordinates.empty() || !coordinates.front()) {
            if (!coordinates.empty())
                coordinates.pop_front();
            return false;
        }
        entry = *coordinates.front();
        coordinates.pop_front();
        return true;
    }
    int ShowContextMenu(const std::vector<ContextMenuItem>& items, platform::DevicePoint) override
    {
        menus.push_back(items);
        return menuChoice;
    }
};

class CommandTest : public testing::Test {
protected:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    // Shows the document at 2 pixels per millimetre with the model origin
    // at pixel (100, 500) (Y up).
    void Show()
    {
        core_.OnInitialUpdate(&doc_, kWidth, kHeight);
        core_.Paint(drawing_, overlay_, kWidth, kHeight);
        core_.SetZoomAndOrigin(2.0, {100, 500});
        input_.SetClientSize(kWidth, kHeight);
    }
    platform::DevicePoint Pixel(double x, double y) const
    {
        return core_.Transform().ToDevicePixel(x, y, DrawContext::MirrorY);
    }
    CInputRequest& Request() { return CInputRequest::Of(doc_); }
    Section& Layer() { return *doc_.GetSection(0); }
    // Binds the free-point key to F in the profile and loads it.
    void BindFreePointKey()
    {
        EXPECT_TRUE(platform::Registry::writeBinary(QStringLiteral("Keyboard"), KeyBindingName(DEF_FREEPOINT),
                                                    KeyBinding{0, 0, 0, 0, 'F'}.ToBytes()));
        options_.LoadKeyboard();
    }
    // A free point at (x, y) with the free-point key (BindFreePointKey).
    void FreePoint(double x, double y)
    {
        input_.OnMouseMove(Pixel(x, y), {});
        input_.OnKeyDown('F', {});
    }
    // A left click at (x, y): what is there is picked, the pick point is
    // the click.
    void Click(double x, double y)
    {
        input_.OnMouseMove(Pixel(x, y), {});
        input_.OnLButtonDown(Pixel(x, y), {});
        input_.OnLButtonUp(Pixel(x, y), {});
    }
    // The layer's elements of one class, in slot order.
    template <class T> std::vector<T*> All()
    {
        std::vector<T*> found;
        for (CElement* e : Layer()) {
            if (auto* t = dynamic_cast<T*>(e))
                found.push_back(t);
        }
        return found;
    }

    test::ScopedTestEnvironment env_;
    platform::ScopedOverride<int> mirror_ = DrawContext::OverrideMirrorFlags(DrawContext::MirrorY);
    viewtest::ViewLinetypes linetypes_;
    COptions options_;
    CMorvekDoc doc_;
    ViewCore core_{&options_};
    ScriptedUi ui_;
    ViewInput input_{core_, ui_, &options_};
    platform::RecordingDevice drawing_{kWidth, kHeight};
    platform::RecordingDevice overlay_{kWidth, kHeight};
};

} // namespace commandtest
