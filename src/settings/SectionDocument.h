#pragma once
// A settings file of named sections held twice: the current sections, which
// the program reads and changes, and the base sections, a frozen copy of the
// factory defaults. Its file format is a difference: read, it adds, changes
// and deletes keys and whole sections of the current sections; written, it
// records only how the current sections differ from the base.
//
//   [name]        selects (or creates) a section; following keys merge into it
//   key=value     sets a key of the selected section
//   -key          deletes a key of the selected section
//   -[name]       deletes a section; key lines are ignored until the next header
//
// Section names and keys are compared without regard to letter case.
#include "support/NoCaseLess.h"
#include "settings/SectionMap.h"

#include <QString>
#include <QStringView>

#include <map>

class SectionDocument {
public:
    using Sections = std::map<QString, SectionMap, support::NoCaseLess>;

    // Applies a difference file to the current sections. False, and nothing
    // changed, when the file does not open. A path may be Windows-style.
    [[nodiscard]] bool ReadDiff(const QString& path);
    // The base becomes a copy of the current sections.
    void Commit();
    // Removes every current section; the base stays.
    void Clear();
    // The current section of that name, created empty when absent.
    SectionMap& GetSection(const QString& name);
    // Replaces the file with the difference of the current sections against
    // the base. False when the file could not be written; it is then unchanged.
    [[nodiscard]] bool WriteDiff(const QString& path) const;

    const Sections& Current() const { return current_; }
    const Sections& Base() const { return base_; }

private:
    // One line of a difference file; `reader` is the selected section or null.
    void ApplyLine(QStringView line, SectionMap*& reader);
    QString DifferenceText() const;

    Sections current_;
    Sections base_;
};
