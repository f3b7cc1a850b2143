#pragma once
// The print set-up dialog's rules without its widgets: the values it reads
// from the options, which controls the chosen mode enables, and what OK
// stores. The values live in the options for the run only.
class COptions;

namespace dlg {

struct PrintSetupFields {
    static constexpr int kMaxOverlap = 1000;

    int overlap = 10;  // millimetres, 0 to kMaxOverlap
    int storedMode = 2;
    int selectedMode = 0; // the radio selected: 1, 2, 3, or 0 for none
    bool centerX = false;
    bool centerY = false;
    // The overlap field starts disabled whatever the mode: only clicking the
    // 1:1 radio enables it.
    bool overlapEnabled = false;
    bool centerEnabled = true;

    static PrintSetupFields Read(const COptions& options);
    // A mode radio clicked: 1 enables the overlap and disables the centre
    // boxes, 2 and 3 the reverse; the overlap keeps its value.
    void ChooseMode(int mode);
    // OK: the overlap (clamped to its range), the selected mode (the stored
    // one when no radio is selected) and the centre flags.
    void Store(COptions& options) const;
};

} // namespace dlg
