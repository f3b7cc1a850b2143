#pragma once
// The paper sizes the application knows: every pair (longer side, shorter
// side) in millimetres in the order entered, and the names of the A and B
// series sizes. The layout optimisation adds and removes pairs of its own.
#include <QString>

#include <deque>
#include <map>
#include <optional>
#include <utility>

class PaperSizeTable {
public:
    using Size = std::pair<double, double>; // longer, shorter

    // A4 to A0, then B4 to B0.
    void InitPaperSizes();
    // Stores (the larger side, the smaller side). Series 1 names it "A<n>",
    // series 2 "B<n>" (replacing an earlier name of the pair); any other
    // series leaves it without a name.
    void AddPaperSize(double a, double b, int series, int number);

    std::deque<Size>& Sizes() { return sizes_; }
    const std::deque<Size>& Sizes() const { return sizes_; }
    std::optional<QString> Name(const Size& size) const;

private:
    std::deque<Size> sizes_;
    std::map<Size, QString> names_;
};
