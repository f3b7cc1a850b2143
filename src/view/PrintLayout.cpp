#include "view/PrintLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// More columns or rows than any printer run could use; keeps the page count
// within an int whatever the drawing and the overlap.
constexpr int kMostPagesAcross = 10000;

int Truncate(double v)
{
    return platform::toDeviceUnits(v);
}

// Pages needed for a length on pages of `page` overlapping by `overlap`.
int PagesFor(double length, double page, double overlap)
{
    if (!(overlap < page) || !(length > page))
        return 1;
    const double more = std::ceil((length - page) / (page - overlap));
    return more >= kMostPagesAcross ? kMostPagesAcross : 1 + static_cast<int>(more);
}

} // namespace

ViewExtents OrientExtents(const ViewExtents& extents, bool mirroredX, bool yDown)
{
    ViewExtents result = extents;
    if (mirroredX) {
        result.left = -extents.right;
        result.right = -extents.left;
    }
    if (yDown) {
        result.top = -extents.bottom;
        result.bottom = -extents.top;
    }
    return result;
}

PrintPlan PlanPrint(const PrintSettings& settings, const PrintArea& area, const ViewExtents& extents,
                    const PrintViewState& view)
{
    PrintPlan plan;
    const double w = extents.right - extents.left;
    const double h = extents.top - extents.bottom;
    const bool empty = extents.left == 0.0 && extents.right == 0.0 && extents.top == 0.0 && extents.bottom == 0.0;
    const int usableW = area.widthPx - 2 * kPrintMarginPixels;
    const int usableH = area.heightPx - 2 * kPrintMarginPixels;

    if (settings.mode == 1) {
        plan.tiled = true;
        plan.scale = area.pixelsPerMm > 0.0 ? area.pixelsPerMm : 1.0;
        plan.pageWidthMm = area.widthPx / plan.scale;
        plan.pageHeightMm = area.heightPx / plan.scale;
        plan.overlapMm = std::max(0, settings.overlapMm);
        plan.minX = empty ? 0.0 : extents.left;
        plan.maxY = empty ? 0.0 : extents.top;
        plan.columns = PagesFor(w, plan.pageWidthMm, plan.overlapMm);
        plan.rows = PagesFor(h, plan.pageHeightMm, plan.overlapMm);
        plan.origin = PageOrigin(plan, 0);
        return plan;
    }

    if (settings.mode == 3) {
        const double m = view.zoom != 0.0 ? 1.0 / view.zoom : 1.0;
        const double across = view.clientWidth * m;
        const double down = view.clientHeight * m;
        plan.scale = across != 0.0 && down != 0.0 ? std::min(usableH / down, usableW / across) : 1.0;
        int x = Truncate(plan.scale * m * view.origin.x);
        int y = Truncate(plan.scale * m * view.origin.y);
        if (settings.centerX)
            x += Truncate((usableW - across * plan.scale) / 2);
        if (settings.centerY)
            y += Truncate((usableH - down * plan.scale) / 2);
        plan.origin = {x + kPrintMarginPixels, y + kPrintMarginPixels};
        return plan;
    }

    // Mode 2. A drawing that is only a line across (or down) still fills the
    // page along that line; only an empty one prints at one pixel per mm.
    if (empty || (w <= 0.0 && h <= 0.0))
        plan.scale = 1.0;
    else if (w <= 0.0)
        plan.scale = usableH / h;
    else if (h <= 0.0)
        plan.scale = usableW / w;
    else
        plan.scale = std::min(usableW / w, usableH / h);
    if (!(plan.scale > 0.0) || !std::isfinite(plan.scale))
        plan.scale = 1.0;
    const int x = settings.centerX ? usableW / 2 - Truncate((extents.left + w / 2) * plan.scale)
                                   : Truncate(-extents.left * plan.scale);
    const int y = settings.centerY ? Truncate((extents.top - h / 2) * plan.scale) + usableH / 2
                                   : Truncate(extents.top * plan.scale);
    plan.origin = {x + kPrintMarginPixels, y + kPrintMarginPixels};
    return plan;
}

platform::DevicePoint PageOrigin(const PrintPlan& plan, int page)
{
    if (!plan.tiled)
        return plan.origin;
    const int columns = std::max(1, plan.columns);
    const int c = page % columns;
    const int r = page / columns;
    return {Truncate((-c * (plan.pageWidthMm - plan.overlapMm) - plan.minX) * plan.scale),
            Truncate((plan.maxY - r * (plan.pageHeightMm - plan.overlapMm)) * plan.scale)};
}

std::vector<PrintStroke> CornerMarks(const PrintPlan& plan, const PrintArea& area, int page)
{
    std::vector<PrintStroke> strokes;
    if (!plan.tiled || plan.PageCount() <= 1)
        return strokes;
    const int f = Truncate(plan.overlapMm * plan.scale * 0.5);
    if (f <= 0)
        return strokes;
    const int c = page % plan.columns;
    const int r = page / plan.columns;
    const int right = area.widthPx - f;
    const int bottom = area.heightPx - f;
    const auto cross = [&](int x, int y) {
        strokes.push_back({{x - f, y}, {x + f, y}});
        strokes.push_back({{x, y - f}, {x, y + f}});
    };
    const bool lastColumn = c == plan.columns - 1;
    const bool lastRow = r == plan.rows - 1;
    if (c > 0 || r > 0)
        cross(f, f);
    if (!lastColumn || r > 0)
        cross(right, f);
    if (!lastRow || c > 0)
        cross(f, bottom);
    if (!lastColumn || !lastRow)
        cross(right, bottom);
    return strokes;
}
