// The node-table block of the drawing file: written from the nodes in use,
// read through the checked block reader and only then put into the table.
#include "element/NodeTable.h"

#include "element/NodeRecord.h"
#include "formula/FormulaTable.h"
#include "platform/BinaryStream.h"

void NodeTable::Save(platform::BinaryWriter& out) const
{
    NodeBlock block;
    block.slotCount = GetCount();
    for (int i = 0; i < GetCount(); ++i) {
        const CNodePoint* n = slotNodes[static_cast<size_t>(i)].get();
        if (n != nullptr && n->IsInUse())
            block.entries.push_back({i, n->ToRecord()});
    }
    WriteNodeBlock(out, block);
}

std::vector<std::unique_ptr<CNodePoint>> NodeTable::NodesFromBlock(const NodeBlock& block, int offset, int mode,
                                                                   VariableList* renames)
{
    std::vector<std::unique_ptr<CNodePoint>> out(static_cast<size_t>(block.slotCount));
    const int origin = GetOriginIndex();
    for (const NodeBlockEntry& e : block.entries) {
        if (!e.record.inUse)
            continue;
        NodeRecord r = e.record;
        if (renames != nullptr && mode == FormulaTable::MergeRename)
            RenameRecordFormulas(r, *renames);
        // The block reader has checked every needed reference against the
        // block's slots; the offset keeps them inside the grown table. A
        // reference the node does not use may hold anything: appended, one
        // outside the block would point at another drawing's node (or
        // overflow), so it is dropped.
        for (int32_t* ref : {&r.reference1, &r.reference2}) {
            if (*ref >= 0 && offset != 0)
                *ref = *ref < block.slotCount ? *ref + offset : -1;
        }
        auto node = std::make_unique<CNodePoint>();
        node->FromRecord(r);
        node->evaluator = evaluator;
        node->table = this;
        // A merged drawing turns as a whole, its own origin node included.
        const bool appending = renames != nullptr;
        if (applyOriginRotation && (appending || e.slot != origin))
            node->TakeOriginRotation(*this);
        out[static_cast<size_t>(e.slot)] = std::move(node);
    }
    return out;
}

bool NodeTable::Load(platform::BinaryReader& in)
{
    const auto block = ReadNodeBlock(in, GetFileVersion());
    if (!block)
        return false;
    Load(*block);
    return true;
}

void NodeTable::Load(const NodeBlock& block)
{
    slotNodes = NodesFromBlock(block, 0, 0, nullptr);
    loopNode = -1;
    UsageChanged();
}

int NodeTable::Append(platform::BinaryReader& in, int mode, VariableList& renames)
{
    const int offset = GetCount();
    const auto block = ReadNodeBlock(in, GetFileVersion());
    if (!block)
        return -1;
    // The merged table must stay within what a drawing file holds, or the
    // drawing would save to a file that cannot be read again.
    if (block->slotCount > kMaxNodeSlots - offset) {
        in.fail(QStringLiteral("%1 merged node slots do not fit after %2 (at most %3 in a drawing)")
                    .arg(block->slotCount)
                    .arg(offset)
                    .arg(kMaxNodeSlots));
        return -1;
    }
    auto loaded = NodesFromBlock(*block, offset, mode, &renames);
    slotNodes.reserve(slotNodes.size() + loaded.size());
    for (auto& node : loaded)
        slotNodes.push_back(std::move(node));
    UsageChanged();
    return offset;
}

void NodeTable::DropAppended(int count)
{
    if (count < 0 || count >= GetCount())
        return;
    slotNodes.resize(static_cast<size_t>(count));
    if (loopNode >= count)
        loopNode = -1;
    UsageChanged();
}
