#pragma once
// The Bobst assembly page without its window: the kind radios and their
// presets, which controls are enabled, the record the preview draws, the
// values one assembly is rebuilt from and the change of several.
#include "dlg/PageNumber.h"
#include "element/BobstAsm.h"
#include "geometry/GeomConstants.h"

#include <vector>

class NodeTable;
class Section;

namespace dlg {

// The radios: type 1, type 2, custom.
enum BobstAsmKind : int { kBobstType1 = 1, kBobstType2 = 2, kBobstCustom = 3 };

struct BobstAsmFields {
    PageNumber centreX, centreY;
    PageNumber angle{0.0, Geom::RadToDeg(1.0)}; // opening angle, radians shown in degrees
    PageNumber inner, outer;
    PageNumber rotation{0.0, Geom::RadToDeg(1.0)};
    int kind = kBobstType1; // the page's kind (the assembly's, or the radio chosen)
    BobstAsmParams record;  // the record the preview and a change of several use
    bool several = false;
    bool changeShape = false;
    bool changeRotation = false;

    // One assembly: its record and centre.
    static BobstAsmFields ForOne(const CBobstAsm& assembly, NodeTable& nodes);
    // Several assemblies: preset 1, centre (0, 0), rotation 0, both change
    // boxes off.
    static BobstAsmFields ForSeveral();

    // A radio: type 1 and 2 put their preset into the record (the rotation
    // kept) and into the fields; custom keeps the record.
    void ChooseKind(int radioKind);
    // The fields read into the record (its kind kept), validated once: the
    // opening angle held to 0°..180° (−10° gives 0°, 200° gives 180°), the
    // outer radius at least the inner, the rotation in [0°, 360°).
    void UpdateRecord();

    bool Custom() const { return kind != kBobstType1 && kind != kBobstType2; }
    bool CentreEnabled() const { return !several; }
    bool RadiosEnabled() const { return !several || changeShape; }
    bool ShapeEditsEnabled() const { return RadiosEnabled() && Custom(); }
    bool RotationEnabled() const { return !several || changeRotation; }

    // One assembly: centre x, y, the page's kind, opening angle, inner and
    // outer radius, rotation, validated as the preview shows them.
    std::vector<double> Geometry() const;
    // OK for one assembly: the assembly of the slot replaced by a copy with
    // the page's centre and record, recorded in the open step. False,
    // nothing replaced, when it would not change.
    bool Apply(Section& section, int slot) const;
    // Several: whether OK changes anything (a change box ticked).
    bool ChangesGroup() const { return changeShape || changeRotation; }
    // Several: the shape (the record's kind, angle, radii) and the rotation
    // of the ticked boxes, into one assembly's record.
    BobstAsmParams ForMember(const BobstAsmParams& current) const;

private:
    BobstAsmParams FromFields(int recordKind) const;
    void ShowRecord();
};

} // namespace dlg
