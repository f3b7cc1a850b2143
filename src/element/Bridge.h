#pragma once
// The bridges of a rule: the gaps it leaves so that the board holds together.
// A bridge covers [position, position + width] of the element's length in
// millimetres, measured from the element's start.
#include <cstdint>
#include <vector>

namespace platform {
class BinaryReader;
}

struct Bridge {
    int32_t tag = 0;       // 555 for bridges made by the explosion; written to files, never read
    double position = 0.0; // mm from the element's start to the start of the gap
    double width = 0.0;    // mm
};

// How an element's bridges are made (the element's iAutoBridges).
namespace BridgeMode {
inline constexpr int ByHand = 0;  // kept as placed, only validated against the length
inline constexpr int ByCount = 1; // the auto count of width lBridges, spread evenly
inline constexpr int ByRule = 2;  // count and width from the bridge-rule table
} // namespace BridgeMode

// The bridges of an element: at most MaxCount, kept in ascending position
// without overlaps, so that a display list never draws a rule across a gap.
// The storage grows with the bridges the element has (most have none or a
// few), so an element without bridges holds no room for them.
class BridgeList {
public:
    static constexpr int MaxCount = 100;

    int Count() const { return static_cast<int>(items_.size()); }
    const Bridge& operator[](int i) const { return items_[static_cast<std::size_t>(i)]; }
    Bridge& operator[](int i) { return items_[static_cast<std::size_t>(i)]; }
    const Bridge* begin() const { return items_.data(); }
    const Bridge* end() const { return items_.data() + items_.size(); }
    Bridge* begin() { return items_.data(); }
    Bridge* end() { return items_.data() + items_.size(); }

    // Empties the list and gives its storage back.
    void Clear() { std::vector<Bridge>().swap(items_); }
    // Appends a bridge; false (nothing stored) when MaxCount are held.
    bool Append(const Bridge& bridge);
    // Removes bridge i; the later ones move down one place.
    void RemoveAt(int i);
    // Reverses the order of the bridges.
    void Reverse();
    // Sorts by position and shortens every bridge that reaches into the next
    // one, so the gaps follow one another without overlapping.
    void Normalize();

private:
    std::vector<Bridge> items_;
};

// Reads one bridge record (tag, its padding, position, width). A position
// or width that is not a finite number is refused (the reader fails): the
// list could not be ordered, and the drawing would save differently each
// time.
[[nodiscard]] bool ReadBridge(platform::BinaryReader& in, Bridge& bridge);

// Bridge i of n evenly spread bridges of width w over a length L: the rule
// between two bridges is s = (L − n·w) / n long, with s/2 at either end.
double EvenBridgePosition(int i, int n, double width, double length);
