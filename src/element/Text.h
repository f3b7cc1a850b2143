#pragma once
// CText: one line of text whose place, direction, height and character width
// come from three nodes: the base node starts the baseline, the end node ends
// it (so the width is the baseline's length over the number of characters),
// and the height node's distance from the base node is the height. It is
// drawn with the built-in stroke font (what its display list holds) or, in
// previews, with a stored system font at a fixed size. Mirrored text starts
// at the end node and runs backwards. A text has no bridges and adds nothing
// to outlines.
//
// File record: int32 type id 4, int32 height node, int32 base node, int32 end
// node, the text (int32 byte count, UTF-16), int32 font kind, int32 mirrored
// (format version 11 on; older files: 0), the 92-byte font record, then the
// common element record.
#include "element/Element.h"
#include "platform/DrawingObjects.h"

namespace TextFontKind {
inline constexpr int StrokeFont = 1401;
inline constexpr int SystemFont = 1402;
} // namespace TextFontKind

class CText : public CElement {
public:
    // The most characters a text read from a file may hold.
    static constexpr int MaxLoadedLength = 4096;
    // The colour of the system-font drawing until the creator sets one (also
    // of a text read from a file, whose record has none): the stock white of
    // the previews.
    static constexpr platform::ColorRef DefaultColour = platform::rgb(255, 255, 255);

    CText(NodeTable* nodes, COptions* options, int context);
    CText(const CText& source);
    ~CText() override;

    int GetHeightNode() const { return heightNode; }
    int GetBaseNode() const { return baseNode; }
    int GetEndNode() const { return endNode; }
    void SetNodes(int height, int base, int end);
    const QString& GetText() const { return text; }
    void SetText(const QString& value);
    int GetFontKind() const { return fontKind; }
    void SetFontKind(int kind) { fontKind = kind; }
    const platform::LogFont& GetFont() const { return font; }
    // Stores the record with its face name cut to 31 characters and ended.
    void SetFont(const platform::LogFont& record);
    platform::ColorRef GetColour() const { return colour; }
    void SetColour(platform::ColorRef value) { colour = value; }
    int IsMirrored() const { return mirrored; }
    void SetMirrored(int value);
    // The preview copy of the text dialog: its geometry comes from these
    // nodes (not owned) instead of the node table.
    void SetPreviewNodes(CNodePoint* height, CNodePoint* base, CNodePoint* end);

    // Reads the element record after its type id (the merge base added to the
    // node indices). False on a damaged record (truncated, a missing node, a
    // text longer than MaxLoadedLength); the element is then unchanged.
    [[nodiscard]] bool Load(platform::BinaryReader& in, int fileVersion, int nodeBase);

    void CountAutoBridges(int n, double width, bool replace) override;
    void Draw(DrawContext& dc) override;
    void Save(platform::BinaryWriter& out) const override;
    void SetFromText(const QString& line) override;
    void CopyFrom(const CElement& source, bool withNodes) override;
    void Recalculate() override;
    void AddRefNodes() override;
    void Move(NodeRemap& remap, double dx, double dy) override;
    void Rotate(NodeRemap& remap, double cx, double cy, double degrees) override;
    void Scale(NodeRemap& remap, double cx, double cy, double fx, double fy) override;
    void Mirror(NodeRemap& remap, double x1, double y1, double x2, double y2) override;
    void DrawBridges(int, DrawContext&) override {}
    // Stands the height node upright on the left of the baseline, keeping
    // the height; nothing when two of the nodes are the same.
    void ValidateNodes() override;
    void AddToOutline(OutlineBuilder*, int, double, int, const CInstance*) override {}
    void RebuildContour() override;
    double GetMinX(double current, bool init) override;
    double GetMinY(double current, bool init) override;
    double GetMaxX(double current, bool init) override;
    double GetMaxY(double current, bool init) override;
    double GetFullLength() override { return 0.0; }
    double ProjectPoint(double, double, double*, double*, double, double) override { return -1.0; }
    double DrawFitted(DrawContext& dc, const DeviceRect& rect) override;
    double OnCtrlWheel(int, int, int) override { return 0.0; }
    double OnShiftWheel(int, int, int) override { return 0.0; }
    int GetTypeId() const override { return ElementTypeId::Text; }
    int GetSnapPoint(int, double, double, int, double, double, const CInstance*, SnapRecord*) override { return 0; }
    bool IsInRect(double x1, double y1, double x2, double y2, int mode) override;
    bool UsesNode(int node, bool onlyIfUnselected) const override;
    bool ExtendTowards(double, double, double) override { return false; }
    bool ExtendBy(double, double) override { return false; }

private:
    // Takes the preview nodes or the table's nodes (height, base, end) as the
    // current ones; false when one is missing.
    bool TakeCurrentNodes();
    double Extent(double current, bool init, int axis, bool largest);
    template <typename Offset>
    void MoveNodes(NodeRemap& remap, Offset offset);

    int heightNode = -1;
    int baseNode = -1;
    int endNode = -1;
    int fontKind = TextFontKind::StrokeFont;
    platform::LogFont font;
    platform::ColorRef colour = DefaultColour;
    QString text;
    int mirrored = 0;
    CNodePoint* preview_[3] = {};
    CNodePoint* current_[3] = {};
};
