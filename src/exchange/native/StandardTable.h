#pragma once
// The extended standard (".nst"): up to kMaxComponents component drawings,
// each a ".n" file placed by formulas with its own variable assignments,
// and the four main dimensions A, B, H and MatThick. The document builds a
// drawing from it; the standards editor edits it.
//
// File, little-endian (a text is an int32 byte count and UTF-16LE without
// terminator): int32 tag kStandardTag, the header of the drawing file
// (identification, int32 version), four doubles A, B, H, MatThick, int32
// component count, then per component its name, file, x, y and rotation
// texts, int32 pair count and that many (variable, expression) text pairs.
#include "formula/SpecStandardComponent.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

class SpecStandardTable {
public:
    static constexpr int kMaxComponents = 40;

    double A = 0.0; // mm
    double B = 0.0;
    double H = 0.0;
    double MatThick = 0.0;

    int GetCount() const { return static_cast<int>(components_.size()); }
    // No range check: the caller passes 0 <= n < GetCount().
    const SpecStandardComponent& Component(int n) const { return components_[static_cast<size_t>(n)]; }
    SpecStandardComponent& Component(int n) { return components_[static_cast<size_t>(n)]; }

    // The first component of exactly that name; -1 when none.
    int FindComponent(const QString& name) const;
    // Appends a component with the five texts and no pairs and returns its
    // index; -1, nothing added, when the table holds kMaxComponents.
    [[nodiscard]] int AddComponent(const QString& name, const QString& file, const QString& x, const QString& y,
                                   const QString& rotation);
    // Removes component n and closes the gap; nothing for another index.
    void RemoveAt(int n);
    void RemoveComponent(const QString& name);
    // Exchanges components a and b and returns b - a; 0, nothing changed,
    // unless both are components.
    int SwapComponents(int a, int b);

    // The whole file, tag included. False, with the reason and the table
    // unchanged, for another tag, a refused header, a count above
    // kMaxComponents or SpecStandardComponent::kMaxPairs, a dimension that
    // is not a number, a damaged text, or bytes after the last component.
    [[nodiscard]] bool Read(QByteArrayView bytes, QString* error);
    // The file, in the current format version.
    QByteArray Write() const;
    [[nodiscard]] bool Load(const QString& path, QString* error);
    // Written through a temporary file: a failed save leaves the old file.
    [[nodiscard]] bool Save(const QString& path, QString* error) const;

    // Component n's drawing file made absolute against the standard's file.
    QString ComponentPath(int n, const QString& standardFile) const;

    QString identification = QStringLiteral("MorvekXP extended standard");

private:
    std::vector<SpecStandardComponent> components_;
};
