#pragma once
// The sizes of the items of a skinned popup menu. All items of a popup are
// equally wide: a 30-pixel image column and gap, the widest label, the
// widest accelerator and a 12-pixel right margin. Widths are kept whole,
// however wide an accelerator text is.
namespace shell {

struct MenuItemMetrics {
    int itemHeight = 20;
    int separatorHeight = 8;
    int widestLabel = 0;
    int widestAccelerator = 0;

    // Heights from the menu font's height: an item is the font height + 6
    // when that height + 2 exceeds 16, else 20; a separator half the font
    // height + 2.
    static MenuItemMetrics ForFontHeight(int fontHeight);
    // Keeps the widest label and accelerator of the popup.
    void Measure(int labelWidth, int acceleratorWidth);
    int ItemWidth() const { return widestLabel + widestAccelerator + 42; }
};

} // namespace shell
