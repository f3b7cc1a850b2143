#pragma once
// One component of an extended standard: a drawing file placed at a position
// given by formulas, with (variable, expression) assignments that replace the
// formulas of the component's variables when the component is merged. The
// standards code keeps the table of components and its file; merging hands
// the component being merged to FormulaTable::Import.
#include <QString>

#include <array>

struct SpecStandardAssignment {
    QString variable;
    QString expression;
};

struct SpecStandardComponent {
    static constexpr int kMaxPairs = 50;

    QString name;     // also the name prefix of the component's layers
    QString file;     // the ".n" file, relative to the ".nst" file or absolute
    QString x;        // formulas of the rotation centre and angle that the
    QString y;        // nodes read from the component's file take
    QString rotation;
    int pairCount = 0; // pairs in use, at most kMaxPairs
    std::array<SpecStandardAssignment, kMaxPairs> pairs;

    // The expression of the first pair in use that assigns the variable, or
    // null when none does.
    const QString* FindOverride(const QString& variable) const
    {
        const int used = pairCount < 0 ? 0 : (pairCount > kMaxPairs ? kMaxPairs : pairCount);
        for (int i = 0; i < used; ++i) {
            if (pairs[i].variable == variable)
                return &pairs[i].expression;
        }
        return nullptr;
    }
};
