#pragma once
// A number a property page shows: rounded up to the next thousandth, as the
// pages show every coordinate, length and angle, while the element's exact
// value is kept beside it. Reading it back gives that exact value until the
// user changes the text, so pressing OK on an untouched page never moves a
// node or turns an angle by the rounding.
#include <QString>

class NodeTable;

namespace dlg {

class PageNumber {
public:
    PageNumber() : PageNumber(0.0) {}
    // exact in the element's unit; the text shows exact × factor (radians
    // shown in degrees take 180 / π).
    explicit PageNumber(double exact, double factor = 1.0);
    // A value given as a text (the new-text page's presets, a typed value).
    static PageNumber FromText(const QString& text, double factor = 1.0);

    const QString& Text() const { return text_; }
    void SetText(const QString& typed) { text_ = typed; }
    // A value that arrives from outside (a picked point): shown rounded up,
    // kept exact.
    void Set(double exact);
    bool Changed() const { return text_ != shown_; }
    // In the element's unit: the exact value while the text is the one
    // shown, else the text's leading number (none reads 0) over the factor.
    double Value() const;
    // The shown unit (degrees for an angle).
    double Shown() const { return Value() * factor_; }

private:
    double exact_ = 0.0;
    double factor_ = 1.0;
    QString shown_;
    QString text_;
};

// The node a page's point field pair stands for: the element's own node
// while neither text was changed, else the node found or added at the
// typed point (merged); -1 when the point cannot be a node.
int NodeFor(NodeTable& nodes, int current, const PageNumber& x, const PageNumber& y);

} // namespace dlg
