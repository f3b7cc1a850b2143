#pragma once
// The main dimensions A, B, H and MatThick a standard's file holds, as the
// standards browser shows them on selection: a drawing (".n") gives the
// values of its variables of those names, an extended standard (".nst") its
// four stored dimensions.
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace native {

struct MainDimensions {
    double a = 0.0; // mm
    double b = 0.0;
    double h = 0.0;
    double matThick = 0.0;
};

// From the file's bytes: nothing for another tag, a refused header, a
// damaged variable block or a damaged extended standard. *extended tells
// which kind it was.
std::optional<MainDimensions> ReadStandardDimensions(QByteArrayView bytes, bool* extended = nullptr);
// The same from a file; nothing when it cannot be read.
std::optional<MainDimensions> ReadStandardDimensionsFile(const QString& path, bool* extended = nullptr);

} // namespace native
