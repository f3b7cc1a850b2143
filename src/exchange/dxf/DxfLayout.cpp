// The import's row layout: the chosen blocks side by side from (0, 0), a
// new row above the tallest block of the last one whenever the next block
// would pass the page width.
#include "exchange/dxf/DxfReader.h"

#include <algorithm>

std::vector<const DxfBlock*> DxfReader::ChosenBlocks(const std::set<int>& chosen) const
{
    std::vector<const DxfBlock*> roots;
    for (int i : chosen) {
        if (i >= 0 && i < static_cast<int>(blocks_.size()))
            roots.push_back(&blocks_[static_cast<size_t>(i)]);
    }
    return roots;
}

bool DxfReader::ImportBlocks(const std::set<int>& chosen, bool label, DxfSink& sink, double bottom)
{
    if (!CountExpansion(ChosenBlocks(chosen)))
        return false;
    return LayOutBlocks(chosen, label, sink, bottom);
}

bool DxfReader::LayOutBlocks(const std::set<int>& chosen, bool label, DxfSink& sink, double bottom)
{
    constexpr double kLabelHeight = 8.0;
    constexpr double kLabelAdvance = 6.4;
    double x = 0.0, y = bottom, rowHeight = 0.0;
    for (int i = 0; i < static_cast<int>(blocks_.size()); ++i) {
        if (!chosen.contains(i))
            continue;
        const DxfBlock& block = blocks_[static_cast<size_t>(i)];
        const die::coord low = block.GetMinCorner() * unitScale_;
        const die::coord high = block.GetMaxCorner() * unitScale_;
        const double w = high.x - low.x;
        const double h = high.y - low.y;
        if (x + w > pageWidth_) {
            x = 0.0;
            y += rowHeight;
            rowHeight = 0.0;
        }
        if (h > rowHeight)
            rowHeight = h;
        if (!InsertBlock(block, die::coord(x - low.x, y - low.y), 0.0, sink))
            return false;
        if (label) {
            const double n = static_cast<double>(block.name.size());
            sink.AddText(die::coord(x + w * 0.5 - n * kLabelHeight * 0.5, y + h * 0.5), kLabelHeight, 0.0,
                         kLabelAdvance, block.name, DxfSink::kCurrentLineType);
        }
        x += w;
    }
    return true;
}

namespace {

// Passes every figure on and keeps the highest y it reaches (a bound for
// arcs and ellipses: their centre and radius).
class TopSink : public DxfSink {
public:
    explicit TopSink(DxfSink& inner) : inner_(inner) {}
    void AddLine(const die::coord& a, const die::coord& b, int lineType) override
    {
        Reach(std::max(a.y, b.y));
        inner_.AddLine(a, b, lineType);
    }
    void AddArc(const die::coord& c, const die::coord& s, const die::coord& e, int lineType) override
    {
        Reach(c.y + die::distance(c, s));
        inner_.AddArc(c, s, e, lineType);
    }
    void AddEllipse(const die::coord& c, const die::coord& major, const die::coord& minor, const die::coord& s,
                    const die::coord& e, int lineType) override
    {
        Reach(c.y + die::distance(c, major));
        inner_.AddEllipse(c, major, minor, s, e, lineType);
    }
    void AddText(const die::coord& at, double height, double angle, double advance, const QString& text,
                 int lineType) override
    {
        Reach(at.y + height);
        inner_.AddText(at, height, angle, advance, text, lineType);
    }
    void AddSpline(const std::vector<die::coord>& points, int lineType) override
    {
        for (const die::coord& p : points)
            Reach(p.y);
        inner_.AddSpline(points, lineType);
    }
    bool any = false;
    double top = 0.0;

private:
    void Reach(double y)
    {
        top = any ? std::max(top, y) : y;
        any = true;
    }
    DxfSink& inner_;
};

} // namespace

bool DxfReader::ImportDrawing(bool modelSpace, const std::set<int>& chosen, bool label, DxfSink& sink)
{
    // Everything the import would make is counted before anything is made.
    std::vector<const DxfBlock*> roots = ChosenBlocks(chosen);
    if (modelSpace)
        roots.push_back(&modelSpace_);
    if (!CountExpansion(roots))
        return false;
    double bottom = 0.0;
    if (modelSpace) {
        TopSink top(sink);
        if (!InsertBlock(modelSpace_, {}, 0.0, top))
            return false;
        if (top.any && top.top > 0.0)
            bottom = top.top;
    }
    return LayOutBlocks(chosen, label, sink, bottom);
}
