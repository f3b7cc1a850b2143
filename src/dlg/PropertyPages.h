#pragma once
// The pages of the element properties sheet by element type: one row per
// type says whether the Element page comes first (and in text mode), which
// detail page follows, how the driver fills its values from the element,
// takes a picked point, checks and applies them. A new page is one row of
// the table in PropertyPages.cpp and one member of PropertyValues.
#include "dlg/BobstAsmFields.h"
#include "dlg/CuirFields.h"
#include "dlg/DimensionPageFields.h"
#include "dlg/ElementValues.h"
#include "dlg/PropertyPage.h"
#include "dlg/PropertyValues.h"
#include "dlg/TextFields.h"

#include <QString>

#include <vector>

class CElement;
class CMorvekDoc;
class Section;
class QWidget;

namespace dlg {

// Everything the sheet edits; the driver keeps it between runs, so a pick
// that closes the sheet comes back to the values typed.
struct PropertyValues {
    ElementValues common;
    LinePageValues line;
    ArcPageValues arc;
    EllipsePageValues ellipse;
    CuirFields cuir;
    BobstAsmFields bobst;
    DimensionPageFields dimension;
    TextFields text;
};

// What an apply works on: the element in its slot, inside the open undo
// step. The apply puts a message into refusal to keep the sheet open.
struct PropertyApply {
    CMorvekDoc& doc;
    Section& section;
    int slot = -1;
    CElement& element;
    // Set when the element refused an extension (message 409, the edit stays).
    bool extensionRefused = false;
};

enum class ApplyOutcome { Unchanged, Changed, Refused };

struct PropertyPageRow {
    int typeId = 0;
    // The Element page comes first; textMode: without its bridge controls.
    bool elementPage = false;
    bool textMode = false;
    // The detail page over the values (null: the Element page alone).
    PropertyPage* (*makePage)(PropertyValues& values, QWidget* parent) = nullptr;
    // Fills the detail values from the element (code 0).
    void (*fill)(PropertyValues& values, CElement& element) = nullptr;
    // Stores a picked point for one of the page's pick codes; false for
    // another code.
    bool (*storePick)(PropertyValues& values, int code, const PickedPoint& point) = nullptr;
    // Checked on OK before the sheet closes: empty accepts, otherwise the
    // message shown (stop icon) and the sheet stays open.
    QString (*validate)(const PropertyValues& values) = nullptr;
    // Applies the values after OK inside the open undo step. Unchanged
    // when nothing differs (the step then records nothing).
    ApplyOutcome (*apply)(PropertyValues& values, PropertyApply& target) = nullptr;
    // Several elements of this type edited together (the Bobst assembly
    // and text groups; null: the type has no group of its own). fillSeveral
    // fills the page's several-elements values from the listed elements of
    // the type; applySeveral writes them into one of them (the copy about to
    // replace it) and says whether it changed anything.
    void (*fillSeveral)(PropertyValues& values, const std::vector<CElement*>& elements) = nullptr;
    bool (*applySeveral)(const PropertyValues& values, CElement& copy) = nullptr;
};

// The row of the type; null for a type without properties (holders, hole
// patterns, separation rules, stripper boards, and the die board, which
// runs Die > Wood instead).
const PropertyPageRow* FindPropertyPages(int typeId);

// The common values alone: the working element's common values, its
// geometry kept, replaced through Section::RefreshElement when they differ.
ApplyOutcome ApplyCommonOnly(PropertyValues& values, PropertyApply& target);

} // namespace dlg
