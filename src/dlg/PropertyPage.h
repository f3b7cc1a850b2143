#pragma once
// The page protocol of the element properties sheet.
//
// The properties driver (app::PropertiesDriver, EditProperties) keeps one
// page object per kind for the life of the view; the page's values (public
// members of each page class) survive between runs of the sheet, so a pick
// that closes the sheet and the reopening after it keep what was typed.
//
// One run of the sheet, as every page sees it:
//   1. The driver fills the page's values from the model element (or from a
//      picked point) and adds the pages for the element's type to the sheet
//      (PropertySheet), in tab order, from the page registry
//      (dlg/PropertyPages.h: one row per element type).
//   2. The sheet calls Begin(context) on each page: the page builds its
//      working copy (a copy of the element made with the class's copy
//      constructor, over copies of its nodes placed at their drawn, absolute
//      positions, marked as a preview copy), shows its values in its
//      controls and computes its derived values (lengths, angles). A page
//      with a Element page ahead of it copies context.common into its working
//      copy (line type, ptg, bridges) before every preview.
//   3. While the user types, the page reads its controls back into its
//      values, updates its working copy and calls PreviewChanged(): the
//      preview frame (PropertyPreview) repaints it, fitted into 90 % of the
//      frame, with the markers of PreviewMarkers() (the one of the focussed
//      field highlighted). A page never changes the model.
//   4. A pick button ("...") calls EndSheet(code) with its pick code
//      (propend::kPick...): the sheet reads every page back (ReadFields) and
//      closes with that code; the driver arms the one-point request and, when
//      the point comes, stores it through the page's StorePick and runs the
//      sheet again with that page active. A conversion or split button does
//      the same with propend::kArcToEllipse / kEllipseToArcs / kSplitUp.
//   5. OK: the sheet calls ReadFields() and then Validate() on every page;
//      a non-empty message is shown (stop icon) and the sheet stays open.
//      Otherwise it closes with propend::kOk and the driver applies the
//      values: only the fields the user changed (Changed...() of the page)
//      go into the drawing, so OK without edits leaves the element as it was.
//      Cancel closes with propend::kCancel and nothing is applied.
//   6. End() frees the working copy after the sheet is closed.
#include "geometry/Coord.h"

#include <QString>
#include <QWidget>

#include <vector>

class CElement;
class CMorvekDoc;
class COptions;

namespace dlg {

// The sheet's end codes.
namespace propend {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
// The pick codes of the pages' point buttons.
inline constexpr int kPickFirst = 401;
inline constexpr int kPickLineStart = 401;
inline constexpr int kPickLineEnd = 402;
inline constexpr int kPickTextBase = 403;
inline constexpr int kPickArcStart = 404;
inline constexpr int kPickArcEnd = 405;
inline constexpr int kPickArcCentre = 406;
inline constexpr int kPickEllipseStart = 407;
inline constexpr int kPickEllipseEnd = 408;
inline constexpr int kPickEllipseCentre = 409;
inline constexpr int kPickDimensionFirst = 410;
inline constexpr int kPickDimensionSecond = 411;
inline constexpr int kPickDimensionThird = 412;
inline constexpr int kPickDimensionPosition = 413;
inline constexpr int kPickCuirCentre = 414;
inline constexpr int kPickBobstCentre = 416;
inline constexpr int kPickLast = 416;
// The conversions.
inline constexpr int kArcToEllipse = 99999;
inline constexpr int kEllipseToArcs = 99998;
inline constexpr int kSplitUp = 99997;

constexpr bool IsPick(int code)
{
    return code >= kPickFirst && code <= kPickLast && code != 415;
}
} // namespace propend

// A picked point as the driver hands it to a page: millimetres, the picked
// node (-1 for none) and the pick step's further integer.
struct PickedPoint {
    double x = 0.0;
    double y = 0.0;
    int node = -1;
    int extra = 0;
};

struct ElementValues; // dlg/ElementValues.h: the Element page's values

// What the sheet hands each page for one run.
struct PropertyContext {
    CMorvekDoc* doc = nullptr;
    COptions* options = nullptr;
    // The model element (read only): null for a new text and in the
    // several-elements mode.
    const CElement* element = nullptr;
    // The Element page's values, for the pages whose type has that page
    // ahead of them (null otherwise); read them when updating the preview.
    const ElementValues* common = nullptr;
    // Several elements are edited at once.
    bool several = false;
};

class PropertyPage : public QWidget {
    Q_OBJECT
public:
    explicit PropertyPage(QWidget* parent = nullptr) : QWidget(parent) {}
    ~PropertyPage() override = default;

    // The text id of the tab caption.
    virtual int CaptionTextId() const = 0;
    // Step 2: working copy, controls shown from the values, derived values.
    virtual void Begin(const PropertyContext& context) = 0;
    // Reads the controls back into the values.
    virtual void ReadFields() = 0;
    // Empty accepts OK; otherwise the message shown, the sheet stays open.
    virtual QString Validate() const { return {}; }
    // Takes a picked point for one of this page's pick codes (false: not
    // this page's code).
    virtual bool StorePick(int /*code*/, const PickedPoint& /*point*/) { return false; }
    // The working copy drawn in the preview (null: nothing drawn) and the
    // markers of its node copies; HighlightedMarker is the index of the
    // focussed field's node (-1 none).
    virtual CElement* PreviewElement() { return nullptr; }
    virtual std::vector<die::coord> PreviewMarkers() const { return {}; }
    virtual int HighlightedMarker() const { return -1; }
    // The line type whose pen draws the preview.
    virtual int PreviewLineType() const { return 0; }
    // Step 6: the working copy goes.
    virtual void End() {}

signals:
    // The page asks the sheet to close with the code (pick, conversion).
    void endRequested(int code);
    // The working copy changed: the preview repaints.
    void previewChanged();

protected:
    void EndSheet(int code) { emit endRequested(code); }
    void PreviewChanged() { emit previewChanged(); }
};

} // namespace dlg
