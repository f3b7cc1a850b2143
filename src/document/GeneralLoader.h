#pragma once
// The importer the document hands to a file reader: every line, arc and text
// the reader gives becomes an element of the target section, with the line
// type, ptg and automatic bridges the file gives; a figure that makes no
// element (a line of zero length, a point no node can hold) is left out.
#include "exchange/Importer.h"

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

private:
    // Gives a new element the file's ptg and automatic bridges.
    void Dress(const ElementIterator& made, const ImportAttributes& attributes, bool withBridges);

    Section& section_;
};
