// The view's window hands mouse and wheel to the input rules: a left drag
// with Ctrl pans, the wheel zooms about the cursor, a right drag zooms to a
// window without opening the popup, a right click opens it on release.
#include "app/DocumentView.h"

#include "display/DrawContext.h"
#include "document/MorvekDoc.h"
#include "element/Element.h"
#include "section/Section.h"

#include "common/DisplayTestSupport.h"
#include "common/TempDir.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
           Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, mods);
    QApplication::sendEvent(w, &event);
}

void Wheel(QWidget* w, QPoint at, int delta)
{
    QWheelEvent event(QPointF(at), QPointF(w->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

// Closes a popup that opens while it lives (the popup's own event loop
// runs its timer) and says whether one did.
struct PopupWatch {
    bool opened = false;
    QTimer timer;
    PopupWatch()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                opened = true;
                popup->close();
            }
        });
        timer.start(20);
    }
};

class DocumentViewInput : public testing::Test {
protected:
    DocumentViewInput()
    {
        linetypes_.Add(1, LinetypeKind::Standard, -1, -1, 0, 0, 0, 0x0000FF);
        auto doc = std::make_unique<CMorvekDoc>();
        (void)doc->GetSection(0)->AddLine3(0, 0, 200, 0, true, 1);
        (void)doc->GetSection(0)->AddLine3(200, 0, 200, 100, true, 1);
        view_ = std::make_unique<app::DocumentView>(std::move(doc), nullptr);
        view_->resize(600, 400);
        view_->show();
        QApplication::processEvents();
    }
    QPoint PixelOf(double x, double y) const
    {
        const platform::DevicePoint p = view_->View().Transform().ToDevicePixel(x, y, DrawContext::GetMirrorFlags());
        return {p.x, p.y};
    }

    test::ScopedTestEnvironment env_;
    platform::ScopedOverride<int> mirror_ = DrawContext::OverrideMirrorFlags(DrawContext::MirrorY);
    displaytest::LinkedLinetypes linetypes_;
    std::unique_ptr<app::DocumentView> view_;
};

TEST_F(DocumentViewInput, ALeftDragWithCtrlPans)
{
    QWidget* w = view_.get();
    const platform::DevicePoint before = view_->View().GetOrigin();
    Mouse(w, QEvent::MouseMove, {300, 300}, Qt::NoButton, Qt::NoButton);
    Mouse(w, QEvent::MouseButtonPress, {300, 300}, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    Mouse(w, QEvent::MouseMove, {340, 270}, Qt::NoButton, Qt::LeftButton); // Ctrl already let go
    Mouse(w, QEvent::MouseButtonRelease, {340, 270}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(view_->View().GetOrigin(), (platform::DevicePoint{before.x + 40, before.y - 30}));
    // Without Ctrl the same drag selects with a box and leaves the view.
    Mouse(w, QEvent::MouseButtonPress, {300, 300}, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, {340, 270}, Qt::NoButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, {340, 270}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(view_->View().GetOrigin(), (platform::DevicePoint{before.x + 40, before.y - 30}));
}

TEST_F(DocumentViewInput, TheWheelZoomsAboutTheCursor)
{
    QWidget* w = view_.get();
    const double zoom = view_->View().GetZoom();
    Mouse(w, QEvent::MouseMove, {123, 77}, Qt::NoButton, Qt::NoButton);
    const double mx = view_->Document().Cursor().modelX;
    const double my = view_->Document().Cursor().modelY;
    Wheel(w, {123, 77}, 120);
    EXPECT_DOUBLE_EQ(view_->View().GetZoom(), zoom * 1.125);
    const QPoint at = PixelOf(mx, my);
    EXPECT_LE(std::abs(at.x() - 123), 1);
    EXPECT_LE(std::abs(at.y() - 77), 1);
    Wheel(w, {123, 77}, -120);
    EXPECT_DOUBLE_EQ(view_->View().GetZoom(), zoom);
}

// A touchpad sends a notch as many small turns: one zoom step per 120.
TEST_F(DocumentViewInput, SmallWheelTurnsAddUpToOneStep)
{
    QWidget* w = view_.get();
    const double zoom = view_->View().GetZoom();
    for (int i = 0; i < 4; ++i)
        Wheel(w, {123, 77}, 30);
    EXPECT_DOUBLE_EQ(view_->View().GetZoom(), zoom * 1.125);
    for (int i = 0; i < 3; ++i)
        Wheel(w, {123, 77}, -40);
    EXPECT_DOUBLE_EQ(view_->View().GetZoom(), zoom);
}

// A right click in the middle of a left drag opens no popup, which would
// leave the drag running after it.
TEST_F(DocumentViewInput, ARightClickDuringALeftDragOpensNoPopup)
{
    QWidget* w = view_.get();
    const QPoint on = PixelOf(100, 0);
    Mouse(w, QEvent::MouseButtonPress, {300, 300}, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, on, Qt::NoButton, Qt::LeftButton);
    PopupWatch watch;
    Mouse(w, QEvent::MouseButtonPress, on, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    Mouse(w, QEvent::MouseButtonRelease, on, Qt::RightButton, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(watch.opened);
    Mouse(w, QEvent::MouseButtonRelease, on, Qt::LeftButton, Qt::NoButton);
}

TEST_F(DocumentViewInput, TheRightButtonZoomsToAWindowOrOpensThePopupOnRelease)
{
    QWidget* w = view_.get();
    const double zoom = view_->View().GetZoom();
    // With the lines selected the popup has items wherever it opens.
    for (CElement* e : *view_->Document().GetSection(0))
        e->SetSelection(1);
    {
        PopupWatch watch;
        Mouse(w, QEvent::MouseButtonPress, {100, 100}, Qt::RightButton, Qt::RightButton);
        Mouse(w, QEvent::MouseMove, {300, 250}, Qt::NoButton, Qt::RightButton);
        Mouse(w, QEvent::MouseButtonRelease, {300, 250}, Qt::RightButton, Qt::NoButton);
        QApplication::processEvents();
        EXPECT_GT(view_->View().GetZoom(), zoom);
        EXPECT_FALSE(watch.opened);
    }
    {
        // A right click on a line: nothing on the press, the popup on release.
        const QPoint on = PixelOf(100, 0);
        Mouse(w, QEvent::MouseMove, on, Qt::NoButton, Qt::NoButton);
        PopupWatch watch;
        Mouse(w, QEvent::MouseButtonPress, on, Qt::RightButton, Qt::RightButton);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        Mouse(w, QEvent::MouseButtonRelease, on, Qt::RightButton, Qt::NoButton);
        EXPECT_TRUE(watch.opened);
    }
}

} // namespace
