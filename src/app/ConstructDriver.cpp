#include "app/ConstructDriver.h"

#include "command/CInputRequest.h"
#include "command/RequestSetup.h"
#include "command/ViewInput.h"
#include "dlg/ConstructDialogs.h"

namespace app {

namespace {

// A pick snaps to nodes, takes the point keys and snaps to elements; the
// dimension's nodes snap to nodes only.
constexpr int kSnapPoint = requestsetup::kPointSnap;
constexpr int kSnapNodeOnly = SnapNode;

void StoreNode(dlg::DimensionNodePick& pick, const InputStep& step)
{
    pick.node = step.nodeIndex;
    pick.companion = step.nodeCompanion;
    pick.x = step.x;
    pick.y = step.y;
}

} // namespace

bool ConstructDriver::RunCommand(int commandId)
{
    switch (commandId) {
    case kCmdArc:
        arc_ = {};
        ShowArc();
        return true;
    case kCmdEllipse:
        ellipse_.StartCommand();
        ShowEllipse();
        return true;
    case kCmdLinear: dimension_.StartCommand(dlg::kDimAligned); break;
    case kCmdAngular: dimension_.StartCommand(dlg::kDimAngle); break;
    case kCmdRadius: dimension_.StartCommand(dlg::kDimRadius); break;
    default: return false;
    }
    ShowDimension();
    return true;
}

void ConstructDriver::ShowArc()
{
    if (CMorvekDoc* doc = input_.GetDocument()) {
        ui_.Repaint();
        OnArcEnd(ui_.ShowArcDialog(arc_, *doc));
        ui_.Repaint();
    }
}

void ConstructDriver::ShowEllipse()
{
    if (CMorvekDoc* doc = input_.GetDocument()) {
        OnEllipseEnd(ui_.ShowEllipseDialog(ellipse_, *doc));
        ui_.Repaint();
    }
}

void ConstructDriver::ShowDimension()
{
    if (CMorvekDoc* doc = input_.GetDocument()) {
        OnDimensionEnd(ui_.ShowDimensionDialog(dimension_, *doc));
        ui_.Repaint();
    }
}

void ConstructDriver::OnArcEnd(int code)
{
    using In = dlg::ArcInputs;
    const auto store = [this](double In::*x, double In::*y, In::Input input) {
        return [this, x, y, input](const InputStep& step) {
            arc_.*x = step.x;
            arc_.*y = step.y;
            arc_.Give(input);
        };
    };
    switch (code) {
    case dlg::CArcDlg::kPickStart: PickPoint(kSnapPoint, store(&In::sx, &In::sy, In::Start), &ConstructDriver::ShowArc); break;
    case dlg::CArcDlg::kPickEnd: PickPoint(kSnapPoint, store(&In::ex, &In::ey, In::End), &ConstructDriver::ShowArc); break;
    case dlg::CArcDlg::kPickCentre:
        PickPoint(kSnapPoint, store(&In::cx, &In::cy, In::Centre), &ConstructDriver::ShowArc);
        break;
    case dlg::CArcDlg::kPickThrough:
        PickPoint(kSnapPoint, store(&In::tx, &In::ty, In::Through), &ConstructDriver::ShowArc);
        break;
    default: break;
    }
}

void ConstructDriver::OnEllipseEnd(int code)
{
    dlg::EllipseValues& v = ellipse_.values;
    switch (code) {
    case dlg::CAddEllipseDlg::kPickAxis:
        PickPoint(
            kSnapPoint,
            [this, &v](const InputStep& step) {
                v.axisX = step.x;
                v.axisY = step.y;
                ellipse_.pickMode = dlg::EllipseState::PickAxis;
            },
            &ConstructDriver::ShowEllipse);
        break;
    case dlg::CAddEllipseDlg::kPickSide:
        PickPoint(
            kSnapPoint,
            [this, &v](const InputStep& step) {
                v.sideX = step.x;
                v.sideY = step.y;
                ellipse_.pickMode = dlg::EllipseState::PickSide;
            },
            &ConstructDriver::ShowEllipse);
        break;
    case dlg::CAddEllipseDlg::kPickCentre:
        PickPoint(
            kSnapPoint,
            [&v](const InputStep& step) {
                v.cx = step.x;
                v.cy = step.y;
            },
            &ConstructDriver::ShowEllipse);
        break;
    default: break;
    }
}

void ConstructDriver::OnDimensionEnd(int code)
{
    dlg::DimensionState& d = dimension_;
    switch (code) {
    case dlg::CAddMeasureDlg::kPickFirst:
        PickPoint(kSnapNodeOnly, [&d](const InputStep& step) { StoreNode(d.first, step); }, &ConstructDriver::ShowDimension);
        break;
    case dlg::CAddMeasureDlg::kPickSecond:
        PickPoint(kSnapNodeOnly, [&d](const InputStep& step) { StoreNode(d.second, step); }, &ConstructDriver::ShowDimension);
        break;
    case dlg::CAddMeasureDlg::kPickCentre:
        PickPoint(kSnapNodeOnly, [&d](const InputStep& step) { StoreNode(d.centre, step); }, &ConstructDriver::ShowDimension);
        break;
    case dlg::CAddMeasureDlg::kPickPosition:
        PickPoint(
            kSnapPoint,
            [&d](const InputStep& step) {
                d.posX = step.x;
                d.posY = step.y;
            },
            &ConstructDriver::ShowDimension);
        break;
    case dlg::CAddMeasureDlg::kPickCircle: PickCircle(); break;
    default: break;
    }
}

void ConstructDriver::PickPoint(int snapFlags, std::function<void(const InputStep&)> store,
                                void (ConstructDriver::*reopen)())
{
    CInputRequest* request = input_.Request();
    if (!request)
        return;
    request->Start(input_, requestsetup::SilentPick(InputPoint, snapFlags),
                   std::make_unique<CallbackCommand>(
                       [store](CInputRequest& r) {
                           store(r.Step(0));
                           return 1;
                       },
                       [this, reopen](CInputRequest&) {
                           (this->*reopen)();
                           return 1;
                       }));
}

void ConstructDriver::PickCircle()
{
    CInputRequest* request = input_.Request();
    if (!request)
        return;
    RequestDescription d = requestsetup::SilentPick(InputElement, 0);
    d.steps[0].SetAllowedTypes({dlg::kCircleElementType});
    request->Start(input_, d,
                   std::make_unique<CallbackCommand>(
                       [this](CInputRequest& r) {
                           const InputStep& picked = r.Step(0);
                           return dimension_.TakeCircle(picked.element, picked.nodeCompanion) ? 1 : 0;
                       },
                       [this](CInputRequest&) {
                           ShowDimension();
                           return 1;
                       }));
}

} // namespace app
