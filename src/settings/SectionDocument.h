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
#include "settings/UserFile.h"

#include <QString>
#include <QStringView>

#include <map>

class SectionDocument {
public:
    using Sections = std::map<QString, SectionMap, support::NoCaseLess>;

    // Applies a difference file to the current sections and remembers how
    // the file was found (its encoding, whether every line made sense) for a
    // later WriteDiff to it. False, and nothing changed, when the file does
    // not open. A path may be Windows-style.
    [[nodiscard]] bool ReadDiff(const QString& path);
    // The base becomes a copy of the current sections.
    void Commit();
    // Removes every current section; the base stays.
    void Clear();
    // The current section of that name, created empty when absent.
    SectionMap& GetSection(const QString& name);
    // Replaces the file with the difference of the current sections against
    // the base (see settings::WriteUserFile: in the encoding it was read in,
    // only when its content changes, a damaged file kept beside). False, with
    // the reason in *error when given, when the file could not be written; it
    // is then unchanged.
    [[nodiscard]] bool WriteDiff(const QString& path, QString* error = nullptr);

    const Sections& Current() const { return current_; }
    const Sections& Base() const { return base_; }

private:
    // One line of a difference file; `reader` is the selected section or
    // null. False when the line was not understood (it is then ignored).
    bool ApplyLine(QStringView line, SectionMap*& reader);
    QString DifferenceText() const;

    Sections current_;
    Sections base_;
    std::map<QString, settings::FileOrigin> origins_;   // by local path, of the files read
};
