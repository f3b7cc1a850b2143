#include "exchange/export/LineTypeMap.h"

#include "settings/SectionDocument.h"
#include "settings/SectionMap.h"

namespace Export {

void LineTypeMap::Load(const QString& path)
{
    map_.clear();
    SectionDocument file;
    if (!file.ReadDiff(path))
        return;
    for (const auto& [name, constSection] : file.Current()) {
        SectionMap section = constSection; // the typed getters convert in place
        LineTypeMapKey key;
        key.has_line_type = section.GetInt(QStringLiteral("source_ltype"), key.line_type);
        key.has_ptg = section.GetDouble(QStringLiteral("source_ptg"), key.ptg);
        LineTypeMapTarget target;
        target.has_line_type = section.GetInt(QStringLiteral("target_ltype"), target.line_type);
        target.has_ptg = section.GetDouble(QStringLiteral("target_ptg"), target.ptg);
        // A value that is absent counts 0 in the key.
        if (!key.has_line_type)
            key.line_type = 0;
        if (!key.has_ptg)
            key.ptg = 0.0;
        Add(key, target);
    }
}

void LineTypeMap::Apply(ExportPrimitive& primitive) const
{
    if (map_.empty())
        return;
    const double ptg = primitive.ptg;
    const LineTypeMapKey keys[] = {
        {primitive.line_type, ptg, true, true},
        {primitive.line_type, 0.0, true, false},
        {0, ptg, false, true},
        {0, 0.0, false, false},
    };
    for (const LineTypeMapKey& key : keys) {
        const auto found = map_.find(key);
        if (found == map_.end())
            continue;
        const LineTypeMapTarget& target = found->second;
        if (target.has_line_type)
            primitive.line_type = static_cast<std::int16_t>(target.line_type);
        if (target.has_ptg)
            primitive.ptg = static_cast<float>(target.ptg);
        return;
    }
}

} // namespace Export
