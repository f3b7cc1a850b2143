#pragma once
// CWood: the die board of a section. It has no nodes of its own: its size is
// the box of the section's layout over every instance placement (or a fixed
// rectangle, the absolute mode) widened by four margins, and around that box
// it keeps what a die maker cuts into or marks on the board: rounded
// corners, a centre notch and register slots on the front edge, knife lines
// beyond the far side of the layout, equalizing rules on each side, gaps in
// the outline and up to eight text boxes. The board is never selected,
// moved, turned, scaled or mirrored, adds nothing to outlines and has no
// bridges of its own; its display list is rebuilt from the layout
// (WoodOutline.cpp).
//
// File record: int32 type id 6; doubles left, top, right, bottom margin and
// fillet; int32 centre-line edge; double gap spacing; five knife doubles
// (start overhang, end overhang, offset, spacing, end clearance); from format
// version 3 the int32 absolute flag and the rectangle (min x, max y, max x,
// min y); from 6 the int32 knife flag, the int32 record count and the
// records; from 9 the four side records (left, right, top, bottom: start,
// step, offset, int32 one-sided tick, int32 on, int32 centred); from 10 the
// int32 symmetric flag, the text, eight int32 text position flags, int32
// text height, double band, double offset; from 13 the notch width and
// depth; then the common element record.
#include "element/Element.h"
#include "platform/DrawingObjects.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class BoardLayout;
class WoodSink;

// The front edge of the board, where the centre notch and the register
// slots are.
namespace CentreLineEdge {
inline constexpr int Left = 1;
inline constexpr int Top = 2;
inline constexpr int Right = 3;
inline constexpr int Bottom = 4;
} // namespace CentreLineEdge

// The equalizing rules of one side of the layout.
struct WoodSideRecord {
    bool on = false;
    bool centred = false; // the series centred on the side, else from start
    double start = 0.0;   // the first rule's distance from the side's start
    double step = 0.0;    // between rules; under 0.1 the side has none
    double offset = 0.0;  // the rules' outer end outside the layout side
    int oneSidedTick = 0; // the outer tick runs forward only
    friend bool operator==(const WoodSideRecord&, const WoodSideRecord&) = default;
};

// A record the board keeps for the file only.
struct WoodRecord {
    int32_t a = 0;
    int32_t b = 0;
    double c = 0.0;
    double d = 0.0;
    friend bool operator==(const WoodRecord&, const WoodRecord&) = default;
};

// A box as min x, max y, max x, min y.
struct WoodBox {
    double minX = 0.0;
    double maxY = 0.0;
    double maxX = 0.0;
    double minY = 0.0;
    friend bool operator==(const WoodBox&, const WoodBox&) = default;
};

// The stored values of a board, which the die-board dialog edits directly.
struct WoodValues {
    enum Side { SideLeft = 0, SideRight = 1, SideTop = 2, SideBottom = 3 };
    // Text positions in stored order.
    enum TextPosition {
        TopLeft = 0, TopRight, RightUpper, RightLower, BottomRight, BottomLeft, LeftLower, LeftUpper
    };

    double leftMargin = 50.0;
    double rightMargin = 50.0;
    double topMargin = 80.0;
    double bottomMargin = 13.0;
    double fillet = 0.0;
    double knifeStartOverhang = 0.0;
    double knifeEndOverhang = 0.0;
    double knifeOffset = 0.0;
    double knifeSpacing = 0.0; // 0: no knife lines
    double knifeEndClearance = 0.0;
    double gapSpacing = 0.0; // no gaps unless above the gap width
    bool absolute = false;
    WoodBox absoluteBox;
    std::array<WoodSideRecord, 4> sides{};
    QString text;
    std::array<bool, 8> textPositions{};
    int textHeight = 10; // whole mm
    double textBand = 20.0;
    double textOffset = 50.0;
    int centreLineEdge = CentreLineEdge::Bottom;
    bool knives = true;
    bool symmetric = false;
    double notchWidth = 8.0;
    double notchDepth = 5.0;
    friend bool operator==(const WoodValues&, const WoodValues&) = default;
};

class CWood : public CElement {
public:
    // Records read from a file beyond this count make the record damaged.
    static constexpr int32_t kMaxRecords = 1 << 16;
    // The first format versions that store each group of fields.
    static constexpr int kAbsoluteVersion = 3;
    static constexpr int kRecordsVersion = 6;
    static constexpr int kSidesVersion = 9;
    static constexpr int kStoredTextsVersion = 10;
    static constexpr int kNotchVersion = 13;

    // Not instanced, not selected; the notch size from the options (8 by 5
    // without), the slot settings from the board settings.
    CWood(NodeTable* nodes, COptions* options, int context, BoardLayout* layout = nullptr);
    // The stored values, records and layout; the preview-only values reset
    // and the slot settings read again.
    CWood(const CWood& source);
    ~CWood() override;

    WoodValues& Values() { return values_; }
    const WoodValues& Values() const { return values_; }
    // The layout the board frames (its section's); null: no elements.
    void SetLayout(BoardLayout* layout) { layout_ = layout; }
    BoardLayout* GetLayout() const { return layout_; }

    const std::vector<WoodRecord>& GetRecords() const { return records_; }
    // Appends a record; returns its index.
    int AddRecord(const WoodRecord& record);
    // The ten records of a new board.
    void AddDefaultRecords();
    // The register slot settings, key "radius" and "height" of section
    // "bobstwood" of "c:\Morvek.ini" under the user's "config\settings.cfg";
    // 0 when absent (no slots). Read when a board is made; a copy takes its
    // source's.
    void ReadBoardSettings();
    double GetSlotRadius() const { return slotRadius_; }
    double GetSlotDepth() const { return slotDepth_; }
    void SetSlotSettings(double radius, double depth);

    // The preview-only values of the die-board dialog.
    void SetDimensionPreview(bool on) { dimensionPreview_ = on; }
    bool GetDimensionPreview() const { return dimensionPreview_; }
    void SetHighlightedDimension(int number) { highlighted_ = number; }
    int GetHighlightedDimension() const { return highlighted_; }
    void SetPreviewColour(platform::ColorRef colour) { previewColour_ = colour; }
    platform::ColorRef GetPreviewColour() const { return previewColour_; }
    void SetPreview(bool on) { preview = on ? 1 : 0; }

    // The box of the layout: every element but die boards, where it stands
    // and under every instance placement; all zero without elements.
    WoodBox GetElementsBorders() const;
    // The absolute rectangle in absolute mode, else GetElementsBorders.
    WoodBox LayoutBox() const;
    // The layout box widened by the margins: left, top, right, bottom.
    WoodBox BoardBox(const WoodBox& layout) const;
    // Whether every side of the box is a finite number: a board read from a
    // damaged file may not be, and then shows no outline.
    static bool IsFinite(const WoodBox& box);
    // The front edge, a centre-line edge outside 1 to 4 read as the bottom.
    int FrontEdge() const;
    // The fillet in use: at least 0 and at most half the board's shorter
    // side.
    double UsableFillet(const WoodBox& board) const;
    // Twice the larger of the node table's width and height.
    double GetProbeLength() const;

    // Reads the record after its type id. A file older than the version
    // that stores the records gives the ten default records; a newer one
    // exactly its stored records. False on a damaged record (truncated, a
    // record count out of range); the board is then unchanged.
    [[nodiscard]] bool Load(platform::BinaryReader& in, int fileVersion, int nodeBase);

    void CountAutoBridges(int, double, bool) override {}
    void Draw(DrawContext& dc) override;
    void Save(platform::BinaryWriter& out) const override;
    void SetFromText(const QString&) override {}
    // With withNodes the margins, fillet and centre-line edge; then the
    // common values.
    void CopyFrom(const CElement& source, bool withNodes) override;
    // Never selected; the layout may have changed since the outline was
    // built, so it is built again.
    void Recalculate() override
    {
        selected = 0;
        MarkDisplayDirty();
    }
    void AddRefNodes() override {}
    void Move(NodeRemap&, double, double) override {}
    void Rotate(NodeRemap&, double, double, double) override {}
    void Scale(NodeRemap&, double, double, double, double) override {}
    void Mirror(NodeRemap&, double, double, double, double) override {}
    void DrawBridges(int, DrawContext&) override {}
    void ValidateNodes() override {}
    void AddToOutline(OutlineBuilder*, int, double, int, const CInstance*) override {}
    void RebuildContour() override;
    double GetMinX(double current, bool init) override { return init ? 0.0 : current; }
    double GetMinY(double current, bool init) override { return init ? 0.0 : current; }
    double GetMaxX(double current, bool init) override { return init ? 0.0 : current; }
    double GetMaxY(double current, bool init) override { return init ? 0.0 : current; }
    double GetFullLength() override { return 0.0; }
    double ProjectPoint(double, double, double*, double*, double, double) override { return 0.0; }
    // Centres the board in 90 % of the rectangle and draws it; returns the
    // scale, 0 (nothing drawn) for a board without extent.
    double DrawFitted(DrawContext& dc, const DeviceRect& rect) override;
    double OnCtrlWheel(int, int, int) override { return 0.0; }
    double OnShiftWheel(int, int, int) override { return 0.0; }
    int GetTypeId() const override { return ElementTypeId::Wood; }
    int GetSnapPoint(int, double, double, int, double, double, const CInstance*, SnapRecord*) override { return 0; }
    bool IsInRect(double, double, double, double, int mode) override { return mode == 3; }
    bool UsesNode(int, bool) const override { return false; }
    bool ExtendTowards(double, double, double) override { return false; }
    bool ExtendBy(double, double) override { return false; }

private:
    // The equalizing rules of one layout side into the sink: each runs from
    // its outer end to the nearest crossing with the layout (symmetric: on
    // across the board, stopping inside the layout's pieces).
    void AddEqualizingRules(WoodSink& sink, const die::coord& s0, const die::coord& s1, const WoodSideRecord& side,
                            double extent);
    // The preview's rules: back to the layout side for an extent of 0, else
    // to the second-nearest crossing.
    void DrawEqualizingRules(DrawContext& dc, const die::coord& s0, const die::coord& s1, const WoodSideRecord& side,
                             double extent);
    void DrawDimension(DrawContext& dc, const die::coord& from, const die::coord& to, int number);
    // The crossings of the probe p–q under every placement that lie farther
    // than 0.1 from p and before the far point, nearest first.
    std::vector<die::coord> CrossingsBefore(const die::coord& p, const die::coord& q, const die::coord& far,
                                            const die::coord& n) const;
    // The crossing nearest to p (or second nearest) under any placement,
    // within the limit and farther than minDistance; p itself when none.
    die::coord NearestEnd(const die::coord& p, const die::coord& q, double limit, bool second,
                          double minDistance) const;

    WoodValues values_;
    std::vector<WoodRecord> records_;
    BoardLayout* layout_ = nullptr;
    double slotRadius_ = 0.0;
    double slotDepth_ = 0.0;
    bool dimensionPreview_ = false;
    int highlighted_ = -1;
    platform::ColorRef previewColour_ = 0;
};
