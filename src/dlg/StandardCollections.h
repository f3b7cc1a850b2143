#pragma once
// What View > Standard Collections does, without its widgets: the user's
// named catalogues, each change written to the profile at once (Cancel
// undoes nothing). The Standard menu lists them once the dialog closes.
#include <QString>

#include <optional>

class COptions;

namespace dlg {

struct CollectionValues {
    QString name;
    QString file;
};

class StandardCollections {
public:
    static constexpr int kTextNoneSelected = 424;
    static constexpr int kTextConfirmDelete = 423;

    explicit StandardCollections(COptions& options) : options_(options) {}

    int Count() const;
    CollectionValues At(int i) const;

    // The values a new collection starts with.
    static CollectionValues NewValues() { return {QStringLiteral("NewStdColl"), QString()}; }
    // Appends a collection (an empty file is kept) and saves the list.
    void Add(const CollectionValues& values);
    // The values Modify starts with; nothing, after message 424, without a
    // selected collection.
    std::optional<CollectionValues> StartModify(int selected) const;
    void Modify(int selected, const CollectionValues& values);
    // Asks 423 and the collection's name; on Yes removes it (the last one
    // takes its place) and saves the list. Message 424 without a selected
    // collection.
    bool Delete(int selected);

private:
    bool Valid(int i) const { return i >= 0 && i < Count(); }
    void TellNoneSelected() const;

    COptions& options_;
};

} // namespace dlg
