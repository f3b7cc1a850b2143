#pragma once
// The fields of one line or arc record of the older ']'-separated text
// layout ("L]%d]%f]%f]%f]%f]%d]%d]%d]%f]", "A]...]]]%f]%f]%f]").
#include <QStringView>

#include <vector>

namespace OldTextRecord {

// The most fields a record is read into; further ones are ignored.
inline constexpr int MaxFields = 30;

// The text split at ']', carriage return, line feed, form feed, tab and NUL;
// each field that ends in a separator is read as a decimal number (the
// leading number; 0 for an empty or non-numeric field). Text after the last
// separator is ignored.
std::vector<double> Fields(QStringView text);

// The fields themselves, as views into the text, cut as Fields cuts them
// (no limit on their number or length).
std::vector<QStringView> Pieces(QStringView text);

// Field i, or 0 when the record has fewer fields.
inline double Field(const std::vector<double>& fields, std::size_t i)
{
    return i < fields.size() ? fields[i] : 0.0;
}

} // namespace OldTextRecord
