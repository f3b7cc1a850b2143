#pragma once
// What the line type properties dialog decides, without widgets: the id it
// proposes for a new line type, which kinds it offers and which fields each
// kind enables, the rules that tie the width to the pen style, and OK's
// check and write-back of one `Linetype` record and its id.
#include "linetype/Linetype.h"

#include <QString>

#include <map>
#include <optional>
#include <set>
#include <vector>

namespace dlg {

class LineTypeFields {
public:
    // The message of an id that is taken (or no line-type file can hold).
    static constexpr const char* kIdTaken = "Change linetype ID.";

    // takenIds: none when the id may not change. id: -1 for a new line type,
    // which gets the lowest id not taken (ProposeId).
    LineTypeFields(const Linetype& record, std::optional<std::set<int>> takenIds, int id);

    // The lowest id from 0 up that the ascending taken ids do not hold
    // before the first gap.
    static int ProposeId(const std::set<int>& takenIds);
    // The id given or proposed at opening.
    int OriginalId() const { return originalId_; }

    // The kinds the drop-down offers: internal and display keep their kind;
    // every other kind may become standard, wave, tear or mixed.
    std::vector<int> KindItems() const;
    bool KindEnabled() const;
    bool IdEnabled() const { return KindEnabled() && takenIds_.has_value(); }
    bool DataEnabled(int index) const { return LinetypeKind::UsesData(kind, index); }       // 1 to 3
    bool SubtypeEnabled(int index) const { return LinetypeKind::UsesSubtype(kind, index); } // 1 or 2

    // A width below 1 becomes 1, one above the largest pen width that; a
    // width above 1 makes the style solid.
    void SetWidth(int value);
    // A style other than solid makes the width 1.
    void SetStyle(int value);

    int id = -1;
    QString name;
    int kind = LinetypeKind::Standard;
    int subtype1 = 0; // the drop-downs' chosen ids
    int subtype2 = 0;
    double data[3] = {0.0, 0.0, 0.0};
    int style = LinetypeStyle::Solid;
    int width = 1;
    platform::ColorRef colour = 0;

    // False when the id changed to a taken or negative id, or changed
    // without taken ids (kIdTaken);
    // otherwise the record and id take the fields: subtypes and data only
    // where the kind enables them (else -1 and 0), data below zero as 0.
    [[nodiscard]] bool Accept(Linetype& record, int& idOut) const;

private:
    std::optional<std::set<int>> takenIds_;
    int originalId_ = -1;
    int originalKind_ = LinetypeKind::Standard;
};

} // namespace dlg
