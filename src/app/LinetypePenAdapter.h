#pragma once
// The application's line-type table behind the options' LineTypePens
// interface, so that dialogs' previews select rule pens through COptions.
#include "linetype/LinetypeTable.h"
#include "options/LineTypePens.h"

class LinetypePenAdapter : public LineTypePens {
public:
    explicit LinetypePenAdapter(LinetypeTable& table) : table_(table) {}
    void SelectLineTypePen(platform::Device& dc, int lineType) override
    {
        table_.SetCurrent(lineType);
        table_.SelectCurrentPen(dc);
    }

private:
    LinetypeTable& table_;
};
