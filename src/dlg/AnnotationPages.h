#pragma once
// The Cuir, Bobst assembly, Dimension and Text pages of the properties
// sheet over the rules of CuirFields, BobstAsmFields, DimensionPageFields
// and TextFields, each with its working copy previewed beside the fields,
// and what the page registry (dlg/PropertyPages.cpp) calls for them.
#include "dlg/PropertyPage.h"
#include "dlg/PropertyPages.h"

namespace dlg {

// Tab captions, the split button, the change boxes of several assemblies
// and texts, and the text page's refusal.
inline constexpr int kTextCaptionCuir = 2551;
inline constexpr int kTextSplit = 2552;
inline constexpr int kTextCaptionBobstAsm = 2553;
inline constexpr int kTextChangeShape = 2554;
inline constexpr int kTextChangeRotation = 2555;
inline constexpr int kTextCaptionDimension = 2556;
inline constexpr int kTextCaptionText = 2557;
inline constexpr int kTextApplyHeight = 2558;
inline constexpr int kTextApplyWidth = 2559;
inline constexpr int kTextApplyAngle = 2560;

PropertyPage* MakeCuirPage(PropertyValues& values, QWidget* parent);
PropertyPage* MakeBobstAsmPage(PropertyValues& values, QWidget* parent);
PropertyPage* MakeDimensionPage(PropertyValues& values, QWidget* parent);
PropertyPage* MakeTextPage(PropertyValues& values, QWidget* parent);

// The registry's functions of the four types.
void FillCuir(PropertyValues& values, CElement& element);
bool PickCuir(PropertyValues& values, int code, const PickedPoint& point);
ApplyOutcome ApplyCuir(PropertyValues& values, PropertyApply& target);
void FillBobstAsm(PropertyValues& values, CElement& element);
bool PickBobstAsm(PropertyValues& values, int code, const PickedPoint& point);
ApplyOutcome ApplyBobstAsm(PropertyValues& values, PropertyApply& target);
void FillSeveralBobstAsm(PropertyValues& values, const std::vector<CElement*>& elements);
bool ApplySeveralBobstAsm(const PropertyValues& values, CElement& copy);
void FillDimension(PropertyValues& values, CElement& element);
bool PickDimension(PropertyValues& values, int code, const PickedPoint& point);
ApplyOutcome ApplyDimension(PropertyValues& values, PropertyApply& target);
void FillText(PropertyValues& values, CElement& element);
bool PickText(PropertyValues& values, int code, const PickedPoint& point);
QString ValidateText(const PropertyValues& values);
ApplyOutcome ApplyText(PropertyValues& values, PropertyApply& target);
void FillSeveralText(PropertyValues& values, const std::vector<CElement*>& elements);
bool ApplySeveralText(const PropertyValues& values, CElement& copy);

} // namespace dlg
