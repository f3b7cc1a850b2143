#pragma once
// How the DXF import asks which blocks to insert: the GUI installs the
// options dialog, tests a scripted chooser. With nothing installed the
// choice is empty, as after Cancel, and nothing is inserted.
#include "exchange/dxf/DxfBlock.h"
#include "platform/ScopedOverride.h"

#include <set>
#include <vector>

struct DxfImportChoice {
    std::set<int> chosen;    // indices into the block list
    double pageWidth = 0.0;  // mm
    double pageHeight = 0.0; // mm; takes no part in the layout
    bool label = false;      // each block gets its name in its middle
    bool modelSpace = false; // the drawing's model space, at its own coordinates
};

class DxfImportChooser {
public:
    virtual ~DxfImportChooser() = default;
    // The blocks to insert and how, and whether model space goes in (null
    // when the file has none); an empty choice when cancelled.
    virtual DxfImportChoice Choose(const DxfBlock* modelSpace, const std::vector<DxfBlock>& blocks) = 0;
};

// The chooser in use: the one installed last, or one that cancels.
DxfImportChooser& dxfImportChooser();

// Installs a chooser until the guard goes; the previous one comes back then.
platform::ScopedOverride<DxfImportChooser*> installDxfImportChooser(DxfImportChooser& chooser);
