// Which nodes a node is built on: the dependency test of the editing dialogs
// and the use counts. Both walk the references with a stack of their own, so
// neither a long chain nor a loop of references can exhaust the call stack.
#include "element/NodePoint.h"

#include "element/NodeTable.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <vector>

namespace {

// The references a node counts as built on: reference 1 of every parametric
// node, reference 2 of kind 603 too.
int ReferenceCount(const CNodePoint& n)
{
    if (!n.IsParametric())
        return 0;
    return n.GetKind() == NodeKind::TwoDistances ? 2 : 1;
}

int ReferenceAt(const CNodePoint& n, int k)
{
    return k == 0 ? n.GetReference1() : n.GetReference2();
}

CNodePoint* NodeAt(const NodeTable* table, int index)
{
    if (table == nullptr || index < 0 || index >= table->GetCount())
        return nullptr;
    return table->GetNode(index);
}

} // namespace

bool CNodePoint::DependsOn(const CNodePoint* node, bool recurse)
{
    const int target = table ? table->IndexOf(node) : -1;
    std::vector<CNodePoint*> pending{this};
    visited = true;
    while (!pending.empty()) {
        CNodePoint* n = pending.back();
        pending.pop_back();
        const int count = ReferenceCount(*n);
        for (int k = 0; k < count; ++k) {
            if (target >= 0 && ReferenceAt(*n, k) == target)
                return true;
        }
        if (!recurse)
            break;
        // Reference 1 first: pushed last.
        for (int k = count - 1; k >= 0; --k) {
            CNodePoint* r = NodeAt(table, ReferenceAt(*n, k));
            if (r != nullptr && !r->visited) {
                r->visited = true;
                pending.push_back(r);
            }
        }
    }
    return false;
}

void CNodePoint::AddRef()
{
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    if (ReferenceCount(*this) == 0) {
        useCount = static_cast<int32_t>(std::min<int64_t>(int64_t{useCount} + 1, kMax));
        return;
    }
    // Every node reached through the references counts once per path from
    // this node, as if each node passed the count on to the nodes it is built
    // on. A reference to the node itself, or one back onto the path being
    // followed (a loop), is not followed. The paths are counted over a
    // topological order instead of walking each one.
    struct Frame {
        CNodePoint* node;
        int next;
    };
    enum class State { OnPath, Done };
    std::unordered_map<CNodePoint*, State> state;
    std::vector<std::pair<CNodePoint*, CNodePoint*>> edges; // followed references
    std::vector<CNodePoint*> finished;
    std::vector<Frame> path{{this, 0}};
    state[this] = State::OnPath;
    while (!path.empty()) {
        Frame& f = path.back();
        if (f.next < ReferenceCount(*f.node)) {
            CNodePoint* r = NodeAt(table, ReferenceAt(*f.node, f.next++));
            if (r == nullptr || r == f.node)
                continue;
            const auto it = state.find(r);
            if (it != state.end() && it->second == State::OnPath)
                continue;
            edges.emplace_back(f.node, r);
            if (it == state.end()) {
                state[r] = State::OnPath;
                path.push_back({r, 0});
            }
            continue;
        }
        state[f.node] = State::Done;
        finished.push_back(f.node);
        path.pop_back();
    }
    std::unordered_map<CNodePoint*, int64_t> paths{{this, 1}};
    std::unordered_map<CNodePoint*, std::vector<CNodePoint*>> out;
    for (const auto& [from, to] : edges)
        out[from].push_back(to);
    for (auto it = finished.rbegin(); it != finished.rend(); ++it) {
        const int64_t p = paths[*it];
        for (CNodePoint* to : out[*it])
            paths[to] = std::min(paths[to] + p, kMax);
        (*it)->useCount = static_cast<int32_t>(std::min<int64_t>(int64_t{(*it)->useCount} + p, kMax));
    }
}
