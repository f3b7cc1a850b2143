#pragma once
// A drawing for the export tests: one node table and undo manager, sections
// made on demand, elements with their display lists built in a display mode.
#include "element/Element.h"
#include "element/NodeTable.h"
#include "exchange/export/ExportPreparer.h"
#include "section/Section.h"
#include "section/UndoManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace exporttest {

class ExportDrawing {
public:
    Section& AddSection(const QString& name)
    {
        sections_.push_back(std::make_unique<Section>(&nodes_, nullptr, &undo_));
        sections_.back()->setName(name);
        return *sections_.back();
    }

    static CElement* Line(Section& s, double x1, double y1, double x2, double y2, int lineType, double ptg = 0.0)
    {
        CElement* e = s.AddLine3(x1, y1, x2, y2, true, lineType).Get();
        e->SetPtg(ptg);
        return e;
    }
    // Clockwise from the start to the end about the centre.
    static CElement* Arc(Section& s, double cx, double cy, double sx, double sy, double ex, double ey, int lineType)
    {
        return s.AddArc3(cx, cy, sx, sy, ex, ey, true, lineType).Get();
    }

    // Every element's display list rebuilt and read in the mode.
    void Show(int mode)
    {
        for (const auto& s : sections_) {
            for (CElement* e : *s) {
                e->RebuildContour();
                e->RegenerateDisplayList(mode);
            }
        }
    }

    Export::ExportSource Source(const Section* current = nullptr) const
    {
        Export::ExportSource source;
        for (const auto& s : sections_)
            source.sections.push_back(s.get());
        source.current = current;
        return source;
    }

    std::vector<Export::ExportBlock> Prepare(const Export::ExportSettings& settings, int mode = 0,
                                             const Section* current = nullptr)
    {
        Show(mode);
        Export::ExportPreparer preparer(Source(current));
        preparer.SetSettings(settings);
        preparer.Run();
        return preparer.Blocks();
    }

private:
    NodeTable nodes_;
    CUndoManager undo_{&nodes_};
    std::vector<std::unique_ptr<Section>> sections_;
};

// Settings that leave the geometry as it is drawn.
inline Export::ExportSettings Plain()
{
    Export::ExportSettings s;
    s.use_offset = false;
    s.optimize = 0;
    return s;
}

} // namespace exporttest
