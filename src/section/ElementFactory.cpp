// The copy factory: a new element of the source's class by its type id. A
// new element class joins the switch with its copy constructor.
#include "section/Section.h"

#include "element/Arc.h"
#include "element/BobstAsm.h"
#include "element/BobstHoles.h"
#include "element/Cuir.h"
#include "element/ElementTypes.h"
#include "element/Ellipse.h"
#include "element/Holder.h"
#include "element/Line.h"
#include "element/Martin.h"
#include "element/Measure.h"
#include "element/SideSymbol.h"
#include "element/Spline.h"
#include "element/Text.h"
#include "element/Wood.h"
#include "support/Log.h"

namespace {

template <typename Class>
std::unique_ptr<CElement> CopyOf(const CElement& source)
{
    const auto* typed = dynamic_cast<const Class*>(&source);
    Q_ASSERT(typed); // a class answers its own type id
    return typed ? std::make_unique<Class>(*typed) : nullptr;
}

} // namespace

std::unique_ptr<CElement> Section::CreateElement(const CElement& source)
{
    Log::TheLog().Trace(Log::Section);
    switch (source.GetTypeId()) {
    case ElementTypeId::Arc: return CopyOf<CArc>(source);
    case ElementTypeId::Line: return CopyOf<CLine>(source);
    case ElementTypeId::Ellipse: return CopyOf<CEllipse>(source);
    case ElementTypeId::Text: return CopyOf<CText>(source);
    case ElementTypeId::Measure: return CopyOf<CMeasure>(source);
    case ElementTypeId::Spline: return CopyOf<CSpline>(source);
    case ElementTypeId::Cuir: return CopyOf<CCuir>(source);
    case ElementTypeId::Holder: return CopyOf<CHolder>(source);
    case ElementTypeId::SeperationRule: return CopyOf<CSeperationRule>(source);
    case ElementTypeId::StripperWood: return CopyOf<CStripperWood>(source);
    case ElementTypeId::BobstAsm: return CopyOf<CBobstAsm>(source);
    case ElementTypeId::Bobst: return CopyOf<CBobst>(source);
    case ElementTypeId::Martin: return CopyOf<CMartin>(source);
    case ElementTypeId::BobstSP: return CopyOf<CBobstSP>(source);
    case ElementTypeId::Wood: return CopyOf<CWood>(source);
    default: return nullptr;
    }
}
