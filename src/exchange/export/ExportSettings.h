#pragma once
// What an exporter exports and where the result goes: a plain value record,
// copied whole by the exporters, their setup dialog and a running export.
// Each field but use_offset is kept in the output configuration under its
// own name ("mode" being the key "export").
#include <QString>

#include <map>

namespace Export {

struct ExportSettings {
    bool use_offset = true;     // offsets are applied and saved
    int remap_linetypes = -1;   // 1: map through the remap file; -1: never configured
    int layer = 0;              // 0 all layers, 1 visible, 2 current only
    int mode = 0;               // key "export": 0 normal, 1 bridges as counts, 2 with bridges, 3 special line types
    int mirror = 0;             // 0 none, 1 all, 2 all but text
    int optimize = 0;           // 0 none, 1 chained, 2 chained by line type
    int instance = 0;           // 0 placements as blocks, 1 expanded, 2 original only
    int text = 0;               // 0 texts, 1 strokes
    int arc = 0;                // 0 arcs, 1 chords
    int serial = -1;            // 1: the serial port; -1: never configured
    int dir_policy = 0;         // 0 last folder, 1 fixed folder, 2 document's folder, 3 hand to a program
    double offset_x = 0.0;      // mm, where the lower-left corner goes
    double offset_y = 0.0;
    QString remap_filename;
    QString dir;
    QString send_to;
    std::map<int, int> order;   // line type -> output position, in order of first appearance
    bool vcut = false;          // HP-GL: rules of line type 2 drawn there and back

    // Adds the line type at the next position; a repeat is ignored.
    void AddToOrder(int lineType);
    // The line types by position.
    std::map<int, int> LineTypesByPosition() const;
};

} // namespace Export
