// Edit > Chamfer on the document: the remembered values turned into the
// chamfer of the current section.
#include "document/MorvekDoc.h"

#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "section/ChamferDistances.h"
#include "section/Section.h"

namespace {
constexpr int kTextNoChamfer = 250;
} // namespace

void CMorvekDoc::ChamferLines(CElement* first, CElement* second, double x1, double y1, double x2, double y2)
{
    Section* section = GetCurrentSection();
    if (section == nullptr)
        return;
    const double* v = remembered_.chamfer;
    const ChamferValues values{v[0], v[1], v[2], v[3], v[4]};
    if (section->ChamferByValues(first, second, x1, y1, x2, y2, values) == Section::ChamferOutcome::NoCombination)
        (void)platform::ask(Translate(kTextNoChamfer), QString(), platform::PromptButtons::Ok,
                            platform::PromptIcon::Error); // only Ok to press
}
