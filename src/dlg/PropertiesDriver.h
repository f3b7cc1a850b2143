#pragma once
// The element properties command: shows the property sheet for one element
// (the document's remembered element) or for the selection, and writes
// what was accepted back in one undo step. The view gives it a host that
// runs the sheet, arms the pages' picks and opens the die-board dialog;
// tests give it a script.
#include "dlg/PropertyPages.h"

#include <QString>

#include <vector>

class CElement;
class CMorvekDoc;
class COptions;

namespace dlg {

// One run of the sheet as the host shows it.
struct PropertySheetRun {
    PropertyValues& values;
    // The element's row; null in the several-elements common group (the
    // Element page alone).
    const PropertyPageRow* row = nullptr;
    // Whether the Element page is shown (first) and whether the detail page
    // is shown; detailActive makes it the current tab (after a pick).
    bool elementPage = false;
    bool detailPage = false;
    bool detailActive = false;
    CMorvekDoc* doc = nullptr;
    COptions* options = nullptr;
    // The model element (null for several elements).
    CElement* element = nullptr;

    // The checks of OK: empty accepts, else the message to show with the
    // sheet kept open.
    QString Validate() const;
};

class PropertiesHost {
public:
    virtual ~PropertiesHost() = default;
    // The sheet, modal: returns propend::kOk, kCancel, a pick code or a
    // conversion code.
    virtual int RunSheet(PropertySheetRun& run) = 0;
    // A one-point pick for a page's button whose after-finish calls
    // EditProperties with the code and the point.
    virtual void ArmPick(int code) = 0;
    // Die > Wood, for a die board's properties.
    virtual void EditDieBoard() = 0;
    // The view repaints after a change.
    virtual void Repaint() {}
};

class PropertiesDriver {
public:
    static constexpr int kTextCaption = 396;
    static constexpr int kTextUndoTitle = 408;
    static constexpr int kTextExtensionRefused = 409;
    static constexpr int kTextSplitUpTitle = 383;

    PropertiesDriver(CMorvekDoc& doc, COptions* options, PropertiesHost& host)
        : doc_(doc), options_(options), host_(host)
    {
    }

    // code 0: the remembered element's sheet, or the selection's without
    // one; a pick code (401 to 416): the picked point (mm), node and the
    // step's further integer go into the page and the sheet opens again.
    // Any other code does nothing.
    void EditProperties(int code, double x = 0.0, double y = 0.0, int node = -1, int extra = 0);

    PropertyValues& Values() { return values_; }

private:
    void EditOne(CElement& element, const PropertyPageRow& row, bool afterPick);
    void Act(int result, CElement& element, const PropertyPageRow& row);
    void Apply(CElement& element, const PropertyPageRow& row);
    void ArcToEllipse(CElement& element);
    void EllipseToArcs(CElement& element);
    void SplitUp(CElement& element);
    void EditSeveral();
    void Done();

    CMorvekDoc& doc_;
    COptions* options_;
    PropertiesHost& host_;
    PropertyValues values_;
};

} // namespace dlg
