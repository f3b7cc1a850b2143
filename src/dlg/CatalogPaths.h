#pragma once
// What the paths page of Options > Path does, without its widgets: the four
// catalogue files (FEFCO, ECMA, HOLDER, EUROHOLE) stored as text values of
// section "Standards". The fields are read-only: a row's browse button is
// the one way to change a path, and it stores the chosen file at once
// (kept whether the sheet is then left with OK or Cancel).
#include <QString>

#include <array>

class COptions;

namespace dlg {

inline constexpr int kCatalogPathCount = 4;

class CatalogPaths {
public:
    explicit CatalogPaths(COptions& options);

    // The row's label, which is also its value name: "FEFCO", "ECMA",
    // "HOLDER", "EUROHOLE".
    static QString Key(int row);
    // The stored paths, read again from the profile.
    void Load();
    const QString& Path(int row) const { return paths_[std::size_t(row)]; }
    // The file chooser for the row, starting at its path; true when a file
    // was chosen, stored and read back.
    bool Browse(int row);

private:
    COptions& options_;
    std::array<QString, kCatalogPathCount> paths_;
};

} // namespace dlg
