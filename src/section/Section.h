#pragma once
// A layer of a drawing as far as its elements need it: the element table
// with free slots, iteration over the elements, the creators of lines and
// arcs from coordinates, and deletion. Every change is recorded in the open
// undo step of the document's undo manager.
#include "geometry/AutoInstance.h"
#include "geometry/Instance.h"

#include <QString>

#include <memory>
#include <vector>

class CArc;
class CElement;
class CLine;
class COptions;
class CUndoManager;
class NodeTable;
class Section;

// A position in a section's element table; visits occupied slots in order.
class ElementIterator {
public:
    ElementIterator() = default;
    ElementIterator(const Section* section, int index);

    CElement* Get() const;
    int Index() const { return index_; }
    void Next();
    bool NotEqual(const ElementIterator& other) const { return index_ != other.index_ || section_ != other.section_; }
    bool operator==(const ElementIterator& other) const { return !NotEqual(other); }

private:
    void SkipEmpty();

    const Section* section_ = nullptr;
    int index_ = 0;
};

class Section {
public:
    // The context word is handed to every element the section makes.
    Section(NodeTable* nodes, COptions* options, CUndoManager* undo, int context = 0);
    ~Section();
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    ElementIterator begin() const { return ElementIterator(this, 0); }
    ElementIterator end() const { return ElementIterator(this, SlotCount()); }
    int SlotCount() const { return static_cast<int>(slots_.size()); }
    // The element of slot i, null for a free slot.
    CElement* ElementAt(int i) const;

    // The document's avoid-layout setting, which new elements take as their
    // not-instanced flag; null: off.
    void SetAvoidLayoutSource(const bool* avoidLayout) { avoidLayout_ = avoidLayout; }
    // While off (loading a drawing), additions are not recorded for undo.
    void SetUndoRecording(bool on) { recording_ = on; }

    // A line from (x1, y1) to (x2, y2): bridges by rule, the options' line
    // type and ptg. The end iterator, nothing added, for a zero-length line,
    // for ends that resolve to the same node and for ends no node can hold.
    ElementIterator AddLine3(double x1, double y1, double x2, double y2, bool merge);
    // An arc about (cx, cy) from the start to the end, the end moved onto the
    // circle through the start; the full circle when the end equals the
    // start. The end iterator when a point cannot be a node.
    ElementIterator AddArc3(double cx, double cy, double sx, double sy, double ex, double ey, bool merge);
    // Takes the element out of its slot into the open undo step (removed); with
    // no step open the element is destroyed.
    void DeleteElement(CElement* element);

    // --- the layer: name, flags, placements (SectionLayer.cpp) ----------------
    void setName(const QString& name) { name_ = name; }
    const QString& getName() const { return name_; }
    bool IsVisible() const { return visible_; }
    void SetVisible(bool on) { visible_ = on; }
    bool IsLocked() const { return locked_; }
    void SetLocked(bool on) { locked_ = on; }
    // The step-and-repeat records: rows along x, columns along y.
    AutoInstance& Rows() { return rows_; }
    AutoInstance& Columns() { return columns_; }
    const AutoInstance& Rows() const { return rows_; }
    const AutoInstance& Columns() const { return columns_; }
    // The instance table; instance 0 exists from construction.
    int GetInstanceCount() const { return static_cast<int>(instances_.size()); }
    const CInstance& GetInstance(int i) const { return instances_[static_cast<std::size_t>(i)]; }
    void NewInstance(double dx, double dy, double angle);
    void ClearInstances() { instances_.clear(); }
    // Every instance turns about the centre of the elements' extents
    // (not-instanced elements left out) and is no identity.
    bool SetCenterOfInstances();
    // The extents of the elements (with allInstances also under every
    // instance); false, all four 0, when the section has no element.
    bool GetBorders(double& left, double& top, double& right, double& bottom, bool allInstances,
                    bool skipNotInstanced) const;

    // --- upkeep ---------------------------------------------------------------
    // Every element recomputes itself from its nodes, in slot order.
    void UpdateElements();
    // Every element lays its bridges out again, in slot order.
    void RefreshAllBridges();
    // Deletes the lines whose two ends coincide (through DeleteElement).
    void ClearNullLengthLines();
    // Puts an element read from a file into the first free slot as it is
    // (its attributes untouched) and records the addition.
    ElementIterator Adopt(std::unique_ptr<CElement> element);

private:
    // The first free slot, the table grown by one when there is none.
    int FreeSlot();
    // Puts a new element into the slot with the section's common settings
    // and records the addition.
    ElementIterator Place(int slot, std::unique_ptr<CElement> element);

    NodeTable* nodes_;
    COptions* options_;
    CUndoManager* undo_;
    int context_;
    const bool* avoidLayout_ = nullptr;
    bool recording_ = true;
    std::vector<std::unique_ptr<CElement>> slots_;
    QString name_;
    bool visible_ = true;
    bool locked_ = false;
    AutoInstance rows_;
    AutoInstance columns_;
    std::vector<CInstance> instances_;
};
