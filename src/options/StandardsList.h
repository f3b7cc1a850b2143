#pragma once
// The standard collections the user registered (shown as menu items), kept
// in the registry: "Standards"/"AMOUNT" and, for each i, "std%d" under
// "Standards\StdNames" (the name) and "Standards\FileNames" (the file).
#include <QString>

#include <vector>

struct StandardRecord {
    QString name;
    QString file;
};

class StandardsList {
public:
    // Replaces the records with the registry's. A missing name or file reads
    // as its value name ("std3"); at most kMaxCount records are read.
    void Load();
    // Writes "AMOUNT" and the records; values beyond the count stay.
    void Save() const;

    // Appends a record and returns its index.
    int Add(const QString& name, const QString& file);
    // Replaces record i; false, nothing changed, for an index outside.
    bool Set(int i, const QString& name, const QString& file);
    // Deletes record i; the last record takes its place. An index outside the
    // list changes nothing.
    void Remove(int i);

    int Count() const { return int(records_.size()); }
    const StandardRecord& At(int i) const { return records_.at(std::size_t(i)); }

    static constexpr int kMaxCount = 10000;

private:
    std::vector<StandardRecord> records_;
};
