#include "app/ModifyDriver.h"

#include "command/CInputRequest.h"
#include "command/ModifyApply.h"
#include "command/RequestSetup.h"
#include "command/ViewInput.h"
#include "document/MorvekDoc.h"
#include "options/LanguageTable.h"
#include "support/Log.h"

namespace app {

namespace {

using modifyapply::ModifyPlan;

ModifyPlan PlanOf(const dlg::ModifyPages& pages, CMorvekDoc& doc, int kind, bool direct,
                  const ModifyPoint& quickStart, const ModifyPoint& quickEnd)
{
    ModifyPlan plan;
    const auto runs = [&](int k) { return !direct || kind == k; };
    if (runs(ModifyDriver::kKindRotate)) {
        plan.rotate = true;
        if (direct) {
            plan.cx = quickStart.x;
            plan.cy = quickStart.y;
            plan.angle = doc.Remembered().quickRotateAngle;
        } else {
            plan.cx = pages.rotate.centreX;
            plan.cy = pages.rotate.centreY;
            plan.angle = pages.rotate.angle;
        }
    }
    const dlg::ScalePage& s = pages.scale;
    if (runs(ModifyDriver::kKindScale) && s.scaleOn) {
        plan.scale = true;
        plan.sx = s.staticX;
        plan.sy = s.staticY;
        plan.fx = s.fx;
        plan.fy = s.fy;
    }
    if (runs(ModifyDriver::kKindMirror) && s.flipOn) {
        plan.mirror = true;
        s.Axis(plan.x1, plan.y1, plan.x2, plan.y2);
    }
    if (runs(ModifyDriver::kKindMove)) {
        plan.move = true;
        plan.dx = direct ? quickEnd.x - quickStart.x : pages.move.dx;
        plan.dy = direct ? quickEnd.y - quickStart.y : pages.move.dy;
    }
    return plan;
}

} // namespace

bool ModifyDriver::RunCommand(int commandId)
{
    int kind = 0;
    switch (commandId) {
    case kCmdMove: kind = kKindMove; break;
    case kCmdCopy: kind = kKindMove; break;
    case kCmdRotate: kind = kKindRotate; break;
    case kCmdMirror: kind = kKindMirror; break;
    case kCmdScale: kind = kKindScale; break;
    default: return false;
    }
    pages_.move.ClearPicks();
    copy = commandId == kCmdCopy;
    DoModifyDlg(kind, true, nullptr, false);
    sheet_.Repaint();
    return true;
}

bool ModifyDriver::StartQuick(int commandId)
{
    CInputRequest* request = input_.Request();
    if (!request)
        return false;
    using namespace requestsetup;
    RequestDescription d;
    switch (commandId) {
    case kCmdQuickMove:
        d = Describe(kCodeQuickMove, -1, 2);
        d.Add(PointStep(kTextQuickMoveStart));
        d.Add(PointStep(kTextQuickMoveEnd));
        break;
    case kCmdQuickCopy:
        d = Describe(kCodeQuickCopy, -1, 2);
        d.Add(PointStep(kTextQuickCopyStart));
        d.Add(PointStep(kTextQuickCopyEnd));
        break;
    case kCmdQuickRotate: {
        CMorvekDoc* doc = input_.GetDocument();
        d = Describe(kCodeQuickRotate, -1, 2);
        d.Add(ValueStep(kTextQuickRotateAngle, kTextAngleLabel, doc ? doc->Remembered().quickRotateAngle : 90.0));
        d.Add(PointStep(kTextQuickRotateCentre));
        break;
    }
    default: return false;
    }
    d.Add(ElementStep(kTextPickElement, {}));
    const bool rotate = commandId == kCmdQuickRotate;
    const bool copies = commandId == kCmdQuickCopy;
    const CallbackCommand::Callback after = [this, rotate, copies](CInputRequest& r) {
        CMorvekDoc* doc = r.GetDocument();
        CElement* picked = r.Step(2).element;
        if (!doc || !picked)
            return 0;
        if (rotate) {
            doc->Remembered().quickRotateAngle = r.Step(0).value;
            quickStart = {r.Step(1).x, r.Step(1).y};
        } else {
            quickStart = {r.Step(0).x, r.Step(0).y};
            quickEnd = {r.Step(1).x, r.Step(1).y};
        }
        copy = copies;
        // A clicked element is selected only for its own run: the next
        // click transforms the element it picks, not this one again.
        const bool clickedOnly = modifyapply::SelectedCount(*doc) == 0;
        DoModifyDlg(rotate ? kKindRotate : kKindMove, false, picked, true);
        if (clickedOnly)
            modifyapply::Deselect(*doc);
        return 1;
    };
    request->Start(input_, d, std::make_unique<CallbackCommand>(nullptr, after));
    return true;
}

void ModifyDriver::DoModifyDlg(int kind, bool reset, CElement* element, bool direct)
{
    CMorvekDoc* doc = input_.GetDocument();
    if (!doc || !doc->GetCurrentSection())
        return;
    if ((direct || reset) && modifyapply::SelectedCount(*doc) > 0)
        element = nullptr;
    if (!direct && !element) {
        sheetOpen_ = true;
        sheet_.Repaint();
        dlg::ScalePage& scale = pages_.scale;
        switch (kind) {
        case kKindMove:
            if (reset) {
                pages_.rotate.Reset();
                scale.Reset(dlg::ScalePage::kAll);
            }
            break;
        case kKindRotate:
            if (reset) {
                pages_.move.Reset();
                scale.Reset(dlg::ScalePage::kAll);
            }
            break;
        case kKindScale:
            if (reset) {
                pages_.rotate.Reset();
                pages_.move.Reset();
                scale.Reset(dlg::ScalePage::kFlipHalf);
            }
            scale.SetMode(dlg::ScalePage::kModeScale);
            break;
        case kKindMirror:
            if (reset) {
                pages_.rotate.Reset();
                pages_.move.Reset();
                scale.Reset(dlg::ScalePage::kScaleHalf);
            }
            scale.SetMode(dlg::ScalePage::kModeFlip);
            break;
        default:
            break;
        }
        const int result =
            sheet_.ShowModifySheet(pages_, kind, Translate(copy ? kTextCaptionCopy : kTextCaptionModify));
        if (result == kEndRotateInteractive) {
            input_.Ui().SetStatusText(Translate(kTextRotateInteractive));
            input_.Ui().SetStateText(Translate(kTextRotateInteractive));
            return;
        }
        if (result == kSheetCancel) {
            sheetOpen_ = false;
            return;
        }
        if (result != kSheetOk) {
            kind_ = kind;
            ArmPointPick(result);
            return;
        }
    }
    kind_ = kind;
    if (element) {
        modifyapply::Select(*element);
    } else {
        sheetOpen_ = false;
        if (modifyapply::SelectedCount(*doc) == 0) {
            ArmElementPick(direct);
            return;
        }
    }
    (void)Apply(kind, direct); // a refusal has been told and changed nothing
    sheet_.Repaint();
}

bool ModifyDriver::Apply(int kind, bool direct)
{
    CMorvekDoc& doc = *input_.GetDocument();
    Log::TheLog().Write("domodifydlg::debug.0", Log::Section);
    const bool applied = modifyapply::Apply(doc, PlanOf(pages_, doc, kind, direct, quickStart, quickEnd), copy);
    Log::TheLog().Write("domodifydlg::debug.1", Log::Section);
    return applied;
}

void ModifyDriver::ArmPointPick(int endCode)
{
    CInputRequest* request = input_.Request();
    if (!request)
        return;
    const CallbackCommand::Callback after = [this, endCode](CInputRequest& r) {
        const InputStep& step = r.Step(0);
        int kind = kKindMove;
        switch (endCode) {
        case kEndMoveStart: pages_.move.PickStart(step.x, step.y); break;
        case kEndMoveEnd: pages_.move.PickEnd(step.x, step.y); break;
        case kEndRotateCentre:
            pages_.rotate.PickCentre(step.x, step.y);
            kind = kKindRotate;
            break;
        case kEndScaleCentre:
            pages_.scale.PickStatic(step.x, step.y);
            kind = kKindScale;
            break;
        case kEndFlipAxis:
            pages_.scale.PickAxisPoint(step.x, step.y);
            kind = kKindMirror;
            break;
        case kEndFlipAxisEnd:
            pages_.scale.PickAxisEnd(step.x, step.y);
            kind = kKindMirror;
            break;
        default: return 0;
        }
        DoModifyDlg(kind, false, nullptr, false);
        return 1;
    };
    request->Start(input_, requestsetup::SilentPick(InputPoint), std::make_unique<CallbackCommand>(nullptr, after));
}

void ModifyDriver::ArmElementPick(bool direct)
{
    CInputRequest* request = input_.Request();
    if (!request)
        return;
    RequestDescription d;
    d.commandCode = kCodeElementPick;
    InputStep& step = d.Add();
    step.prompt = kTextPickElement;
    step.accepted = InputElement;
    step.allowedTypeCount = -1;
    request->Start(input_, d, std::make_unique<CallbackCommand>([this, direct](CInputRequest& r) {
        CElement* picked = r.Step(0).element;
        if (!picked)
            return 0;
        DoModifyDlg(kind_, false, picked, direct);
        return 1;
    }));
    sheet_.Repaint();
}

} // namespace app
