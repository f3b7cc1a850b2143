#pragma once
// What the line types dialog decides, without widgets: the edits of one run
// of the dialog kept apart from the line-type table (added or modified
// records, deleted ids), the table as those edits would leave it, which ids
// are taken or in use, and OK's single pass that writes them into the table,
// saves the user's line-type file and rebuilds the pens.
#include "linetype/LinetypeTable.h"

#include <QString>

#include <map>
#include <optional>
#include <set>
#include <vector>

class CMorvekDoc;

namespace dlg {

class LineTypeChanges {
public:
    // usedIds: the line types the elements of every open drawing are drawn with.
    LineTypeChanges(const LinetypeTable& table, std::set<int> usedIds);
    // The line types every element of every section of the documents is
    // drawn with: its own and those of its display list's figures.
    static std::set<int> UsedBy(const std::vector<const CMorvekDoc*>& documents);

    // The table with the edits applied, in ascending id.
    std::map<int, Linetype> Merged() const;

    struct Row {
        int id;
        QString name;
        QString kind; // LinetypeTable::ToText of the kind bits
    };
    std::vector<Row> Rows() const;

    // The ids a new or renumbered line type may not take: the merged view's
    // and every special line type's.
    std::set<int> TakenIds() const;
    // Every line type of the merged view whose kind has no bit of mask.
    std::map<int, QString> Names(int mask) const;
    bool IsSpecial(int id) const;

    enum class Use { Free, UsedByElement, Referenced };
    // Used by an element, named as a pattern's subtype by another line type
    // of the merged view (wave, tear and mixed by subtype 1, mixed also by
    // subtype 2), or free.
    Use InUse(int id) const;

    // A new standard line type: solid, width 1, in the inverse of the
    // background colour.
    static Linetype NewRecord(platform::ColorRef background);
    // The record as the merged view holds it; none for an unknown id.
    std::optional<Linetype> RecordOf(int id) const;

    // Stores the edited record under id; when oldId is another existing id
    // (a renumbering) the old id is marked deleted.
    void Store(int id, const Linetype& record, std::optional<int> oldId = std::nullopt);

    enum class DeleteCheck { Nothing, UsedByElement, Referenced, Allowed };
    DeleteCheck CheckDelete(int id) const;
    void MarkDeleted(int id);

    bool IsEmpty() const { return changes_.empty(); }

    // Writes every edit into the table in ascending id, saves the user's
    // line-type file below folder (empty: the application folder) and
    // rebuilds the state pens. False when the file could not be written
    // (the table holds the edits all the same; the save told the user).
    [[nodiscard]] bool Apply(LinetypeTable& table, const QString& folder = QString()) const;

private:
    struct Change {
        bool present = false; // added or modified; false: deleted
        Linetype record;
    };
    const LinetypeTable& table_;
    std::set<int> usedIds_;
    std::map<int, Change> changes_;
};

} // namespace dlg
