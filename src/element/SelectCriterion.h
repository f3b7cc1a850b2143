#pragma once
// One test of the element selection wizard (CElement::SelectByCriteria).
#include <cstdint>

struct SelectCriterion {
    // Properties.
    static constexpr int Type = 2023;       // intValue equals the type id, or is ElementTypeId::Any
    static constexpr int Selection = 2024;  // flagValue equals the selected byte
    static constexpr int LineType = 2025;   // intValue equals the line type
    static constexpr int BridgeCount = 2026; // compared with intValue
    static constexpr int BridgeMode = 2027; // intValue equals the bridge mode
    static constexpr int Ptg = 2028;        // compared with realValue
    // Comparisons (bridge count and ptg only).
    static constexpr int Less = 2001;
    static constexpr int Greater = 2002;
    static constexpr int Equal = 2003;
    // Relations.
    static constexpr int AsIs = 2015;
    static constexpr int Negated = 2016;
    static constexpr int Neutral = 2017; // true under AND, false under OR

    uint8_t flagValue = 0;
    int32_t intValue = 0;
    double realValue = 0.0;
    int32_t property = 0;
    int32_t comparison = 0;
    int32_t relation = AsIs;
};
