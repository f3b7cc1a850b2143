// The node record of the drawing file, read into a node.
#include "element/NodePoint.h"

#include "element/NodeTable.h"
#include "formula/FormulaTable.h"
#include "formula/VariableList.h"
#include "platform/BinaryStream.h"

#include <limits>

void CNodePoint::TakeOriginRotation(const NodeTable& t)
{
    t.OriginRotation(rotationCenterXFormula, rotationCenterYFormula, rotationAngleFormula);
}

bool CNodePoint::Load(platform::BinaryReader& in, NodeTable* t)
{
    auto record = ReadNodeRecord(in, t ? t->GetFileVersion() : kNodeFileVersion);
    if (!record)
        return false;
    table = t;
    FromRecord(*record);
    if (t && t->IsApplyingOriginRotation() && t->IndexOf(this) != t->GetOriginIndex())
        TakeOriginRotation(*t);
    return true;
}

namespace {

// A reference moved by the slot offset; "none" (negative) stays none.
bool OffsetReference(platform::BinaryReader& in, int32_t& ref, int offset)
{
    if (ref < 0)
        return true;
    if (ref > std::numeric_limits<int32_t>::max() - offset) {
        in.fail(QStringLiteral("node reference %1 does not fit after %2 slots").arg(ref).arg(offset));
        return false;
    }
    ref += offset;
    return true;
}

} // namespace

bool CNodePoint::LoadAppended(platform::BinaryReader& in, NodeTable* t, int offset, int mode,
                              VariableList& renames)
{
    auto record = ReadNodeRecord(in, t ? t->GetFileVersion() : kNodeFileVersion);
    if (!record)
        return false;
    NodeRecord r = std::move(*record);
    if (mode == FormulaTable::MergeRename)
        RenameRecordFormulas(r, renames);
    if (!OffsetReference(in, r.reference1, offset) || !OffsetReference(in, r.reference2, offset))
        return false;
    table = t;
    FromRecord(r);
    if (t && t->IsApplyingOriginRotation())
        TakeOriginRotation(*t);
    return true;
}
