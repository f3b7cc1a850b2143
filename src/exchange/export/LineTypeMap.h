#pragma once
// The line-type remap of an export: each rule of the remap file maps a line
// type and/or a ptg to a new line type and/or ptg. A primitive takes the
// first rule found of (line type, ptg), (line type), (ptg), (any).
#include "exchange/export/ExportBlock.h"

#include <QString>

#include <map>
#include <tuple>

namespace Export {

struct LineTypeMapKey {
    int line_type = 0;
    double ptg = 0.0;
    bool has_line_type = false;
    bool has_ptg = false;

    bool operator<(const LineTypeMapKey& o) const
    {
        return std::tie(has_line_type, line_type, has_ptg, ptg) < std::tie(o.has_line_type, o.line_type, o.has_ptg, o.ptg);
    }
};

struct LineTypeMapTarget {
    int line_type = 0;
    double ptg = 0.0;
    bool has_line_type = false; // the line type is to be set
    bool has_ptg = false;       // the ptg is to be set
};

class LineTypeMap {
public:
    // Reads the remap file: one section per rule (any name) with the keys
    // "source_ltype", "source_ptg", "target_ltype", "target_ptg". A file that
    // cannot be read leaves the map empty; of two rules with one key the
    // first counts.
    void Load(const QString& path);
    // Adds a rule unless its key is mapped already.
    void Add(const LineTypeMapKey& key, const LineTypeMapTarget& target) { map_.emplace(key, target); }
    void Apply(ExportPrimitive& primitive) const;
    bool IsEmpty() const { return map_.empty(); }

private:
    std::map<LineTypeMapKey, LineTypeMapTarget> map_;
};

} // namespace Export
