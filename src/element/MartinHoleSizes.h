#pragma once
// The hole sizes of the Martin hole pattern (mm): section "martin" of the
// settings pair ("\Defaults\settings.ini" under "\Config\settings.cfg"),
// which the options read once at start-up. A key absent from both files
// keeps its factory value below; text that is no number reads 0.
class ProfileStore;

struct MartinHoleSizes {
    double positioningRadius = 4.0;  // "PosiRadius"
    double screwedRadius = 4.75;     // "ScrewedRadius"
    double positioningOffset = 15.0; // "PosiOffset"
    double screwedOffset = 3.59;     // "ScrewedOffset"
    double positioningStep = 64.62;  // "PosiVStep": column pitch
    double screwedStep = 51.0;       // "ScrewedVStep": column pitch
    double positioningLength = 4.0;  // "PosiLen": straight part of a slot
    double screwedLength = 9.75;     // "ScrewedLen"

    // The values of the store's section "martin" (made current in it).
    static MartinHoleSizes Read(ProfileStore& settings);
};
