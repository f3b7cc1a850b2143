#pragma once
// The importer the document hands to a file reader: every line, arc and text
// the reader gives becomes an element of the target section, with the line
// type, ptg and bridges the file gives: automatic bridges by count when it
// gives a count, none for a count of 0, hand-placed ones where it places
// them; no imported rule takes bridges by rule. A figure that makes no
// element (a line of zero length) is left out; one with a value no drawing
// can hold (not finite, beyond kMaxMagnitude) is left out and counted, and a
// line type beyond the line types' range is clamped and counted.
#include "exchange/Importer.h"

class CElement;
class ElementIterator;
class Section;

class general_loader : public Import::Importer {
public:
    explicit general_loader(Section& target) : section_(target) {}

    void AddLine(const die::coord& start, const die::coord& end, const ImportAttributes& attributes) override;
    void AddArc(const die::coord& centre, const die::coord& start, const die::coord& end, int32_t counterClockwise,
                const ImportAttributes& attributes) override;
    void AddText(const die::coord& position, double angle, const die::coord& size, const QString& text,
                 const ImportAttributes& attributes, int32_t mirrored) override;

    // Coordinates and sizes beyond this (mm) are no drawing's.
    static constexpr double kMaxMagnitude = 1e6;
    // The line types a file may give; others are clamped into this range.
    static constexpr int32_t kLowestLineType = 0;
    static constexpr int32_t kHighestLineType = 9999;

    // Figures left out for a value out of range, line types clamped.
    int Refused() const { return refused_; }
    int Clamped() const { return clamped_; }

private:
    // Gives a new element the file's ptg and bridges; reversed: the element
    // runs from the file's end to its start.
    void Dress(const ElementIterator& made, const ImportAttributes& attributes, bool withBridges, bool reversed);
    // False, counted, when a value is out of range.
    bool Accept(std::initializer_list<double> values);
    int32_t LineType(int32_t fileLineType);

    Section& section_;
    int refused_ = 0;
    int clamped_ = 0;
};

// Sets a new imported element's bridges as the file gives them: the
// hand-placed ones at their positions, else count automatic ones (none for
// 0). reversed: the element runs against the file's direction.
void SetImportedBridges(CElement& element, const ImportAttributes& attributes, bool reversed);
