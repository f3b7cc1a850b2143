#include "exchange/dxf/DxfImportChooser.h"

namespace {

class CancellingChooser : public DxfImportChooser {
public:
    DxfImportChoice Choose(const DxfBlock*, const std::vector<DxfBlock>&) override { return {}; }
};

CancellingChooser g_default;
constinit platform::Current<DxfImportChooser*> g_current{nullptr};

} // namespace

DxfImportChooser& dxfImportChooser()
{
    DxfImportChooser* current = g_current.Get();
    return current ? *current : g_default;
}

platform::ScopedOverride<DxfImportChooser*> installDxfImportChooser(DxfImportChooser& chooser)
{
    return g_current.Override(&chooser);
}
