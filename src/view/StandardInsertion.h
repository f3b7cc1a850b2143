#pragma once
// Inserting a standard: the browser's choice carried out on the drawings.
// Load opens the standard as a new drawing, Merge merges it into the open
// one (asking text 406 whether its variables replace those of the same
// name), optionally placed at a secondary origin; either way the drawing's
// A, B, H and MatThick then take the dimensions the browser showed. What is
// pending between the browser and the drawing (the chosen standard, its
// dimensions, its secondary origin) is held by one StandardInsertion and by
// nothing else, so that no later, unrelated reading can pick it up: it is
// cleared on every way out (Load, Merge, Cancel, the origin pick, a file that
// cannot be opened, an exception), and the drawing there is is brought up to
// date when the insertion ends.
#include "standards/StandardChoice.h"

#include <functional>
#include <optional>

class CMorvekDoc;
struct SpecStandardComponent;

namespace view {

class StandardInsertion {
public:
    // Opens a drawing file as a new document and returns it; null when it
    // could not be opened (the opener has told the user). place: when not
    // null, the file's nodes are read relative to its x, y and rotation.
    using Opener = std::function<CMorvekDoc*(const QString& path, const SpecStandardComponent* place)>;

    // doc: the drawing the command ran in; null when none is open.
    explicit StandardInsertion(CMorvekDoc* doc) : doc_(doc) {}
    ~StandardInsertion();
    StandardInsertion(const StandardInsertion&) = delete;
    StandardInsertion& operator=(const StandardInsertion&) = delete;

    // Carries out the browser's choice. Returns the drawing that received
    // the standard: the opened one for Load, the command's for Merge; null
    // for Cancel, the origin pick, a Merge without a drawing and a standard
    // that could not be opened or merged.
    CMorvekDoc* CarryOut(const standards::StandardChoice& choice, const Opener& open);

    // Whether a chosen standard is waiting to be applied (only while
    // CarryOut runs).
    bool Pending() const { return pending_.has_value(); }

private:
    CMorvekDoc* Load(const Opener& open);
    CMorvekDoc* Merge();
    void Apply(CMorvekDoc& doc) const;
    // The secondary origin of the pending choice; nothing when it has none.
    std::optional<SpecStandardComponent> Place() const;

    CMorvekDoc* doc_;
    std::optional<standards::StandardChoice> pending_;
};

} // namespace view
