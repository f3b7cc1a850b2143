#pragma once
// The numbered line types with their pens: read from the factory file
// "\Defaults\linetypes.ini" and the user's difference file
// "\Config\linetypes.cfg", written back as differences, and holding the
// current line type whose pen the painters select.
//
// Besides the user's rule types the table holds special line types that the
// application registers under symbolic names at start-up: display styles
// (1000 to 1008: highlight, selection, crosshair, inactive layer, markers)
// and internal rule types of the die board and hole patterns (122 to 131).
// Their sections in the files are named by the symbolic name.
//
// One table exists, owned by the application; the display lists and the view
// reach it through links set at start-up.
#include "linetype/Linetype.h"

#include <QString>

#include <map>
#include <optional>
#include <span>

namespace platform {
class Device;
}

// Which of the current line type's four pens SelectCurrentPen selects.
enum class PenState : int { Normal = 0, Selected = 1, Highlight = 2, Both = 3 };

// The special line types by number.
namespace SpecialLinetype {
inline constexpr int Highlight = 1000;
inline constexpr int Selected = 1001;
inline constexpr int Crosshair = 1002;
inline constexpr int InactiveLayer = 1003;
inline constexpr int MarkerRect = 1004;
inline constexpr int MovingBridge = 1005;
inline constexpr int MovingNode = 1006;
inline constexpr int Measure = 1007;
inline constexpr int HighSelect = 1008;

// The special line types in the order the application registers them at
// start-up (RegisterSymbolicName): the display styles, then the internal
// rule types.
struct Registration {
    const char* name;
    int number;
    int kind;
};
std::span<const Registration> Registrations();
} // namespace SpecialLinetype

class LinetypeTable {
public:
    using LinetypeMap = std::map<int, Linetype>;
    using SymbolicMap = std::map<int, SymbolicLinetype>;

    LinetypeTable() = default;
    LinetypeTable(const LinetypeTable&) = delete;
    LinetypeTable& operator=(const LinetypeTable&) = delete;

    // Empties the line-type map and forgets the pens; nothing current. The
    // defaults and the symbolic names stay.
    void Clear();

    // --- registration, files ----------------------------------------------
    // Stores {kind, lower-cased name} under the number, replacing an earlier entry.
    void RegisterSymbolicName(const QString& name, int number, int kind);
    // Reads folder + "\Defaults\linetypes.ini", then folder +
    // "\Config\linetypes.cfg" (a missing file contributes nothing), then
    // makes the state pens. The folder is the application folder; empty means
    // the application folder of the platform layer.
    void Load(const QString& folder = QString());
    // Writes folder + "\Config\linetypes.cfg": every line type that differs
    // from its factory default, and a deleted section for every factory line
    // type that is gone. Nothing is written when the differences are those
    // the files held when they were loaded (or last saved), so start-up does
    // not rewrite the user's file. False, after a message naming the file,
    // when it cannot be written; the table is unchanged either way.
    [[nodiscard]] bool Save(const QString& folder = QString());
    // Binds the colours of "highlight", "selected" and "high_select" and gives
    // every line type its state pens (solid, width + 4, in those colours).
    void CreatePens();
    // The line type of the node markers: internal, solid, width 1, in the
    // given colour, with a normal pen only.
    void CreateContrastLinetype(platform::ColorRef colour);

    // Reads one section of a line-type file (the user layer when userLayer
    // is set); an ignored section changes nothing.
    void ReadSection(const QString& sectionName, const QString& file, bool userLayer);
    // The line-type number a section name stands for: a decimal number, or a
    // registered symbolic name (any letter case) with its kind. False for a
    // section to ignore: a negative number, an unknown name, or the number of
    // a symbolic line type.
    bool ParseSectionName(const QString& sectionName, int& number, int& kind) const;

    // --- records ------------------------------------------------------------
    // Creates or updates the record of that number with the style, width and
    // colour and a new normal pen (kind 0, no state pens), and makes it current.
    void AddLinetype(int number, int style, int width, platform::ColorRef colour);
    void Remove(int number);
    // Copies the record (without pens and symbolic entry) into the defaults.
    void StoreDefault(int number);
    const Linetype* Find(int number) const;
    const Linetype* FindDefault(int number) const;
    LinetypeMap::const_iterator LinetypesBegin() const { return linetypes_.begin(); }
    LinetypeMap::const_iterator LinetypesEnd() const { return linetypes_.end(); }
    SymbolicMap::const_iterator SymbolicNamesBegin() const { return symbolic_.begin(); }
    SymbolicMap::const_iterator SymbolicNamesEnd() const { return symbolic_.end(); }
    // Empties names, then adds every line type whose kind has no bit of mask.
    void ListNames(std::map<int, QString>& names, int mask) const;

    // --- current line type and pens -------------------------------------
    // Every operation that makes a line type current sets the pen state 0.
    void SetCurrent(int number);
    const Linetype* GetCurrent() const { return current_; }
    int GetCurrentType() const;              // kind bits, -1 when none is current
    int GetCurrentSubtype() const;           // subtype1, 0 when none
    double GetCurrentData(int index) const;  // index 0 to 2; 0 when none is current
    void SetCurrentTypeAndSubtypes(int kind, int subtype1, int subtype2);
    void SetCurrentData(double data1, double data2, double data3);
    void SetCurrentName(const QString& name);
    // Selects the current line type's pen for the pen state, or the null pen.
    void SelectCurrentPen(platform::Device& dc) const;
    void ReleasePen(platform::Device& dc) const;

    void SelectCrosshair();
    void SelectHighlight();     // also sets both pattern pens to its normal pen
    void SelectSelected();      // likewise
    void SelectInactiveLayer(); // likewise
    void SelectMeasure();
    void SelectMovingNode();
    void SelectContrast();

    // Before a figure is drawn in display mode 2: a wave or tear line type
    // hands over to its subtype1 line type (SelectPatternLinetype); a mixed
    // one sets the pattern pens to its two subtypes' pens (SetMixedPens).
    void SetPatternPens();
    void SelectPatternLinetype();
    void SetMixedPens();
    // Selects pattern pen 0 or 1, or the null pen when it is not set.
    void SelectPatternPen(platform::Device& dc, int index) const;

    // The mixed pattern's two halves: code 3 gives data1 / subtype1 of the
    // current line type, code 4 data2 / subtype2, other codes 0.
    void CachePatternValues();
    double GetPatternLength(int code) const;
    int GetPatternSubtype(int code) const;

    // --- texts ------------------------------------------------------------------
    // kind 0: the kind text of a single bit ("standard" ... "mixed");
    // kind 1: the style text ("solid", "dash", "dot", "dashdot");
    // kind 2: a colour as "#RRGGBB". Anything else gives the empty text.
    static QString ToText(int value, int kind);
    // The reverse; a text that matches nothing gives 0 (no kind, solid,
    // black). Colours need the hash sign and six hexadecimal digits.
    static int FromText(const QString& text, int kind);

private:
    Linetype* FindMutable(int number);
    void MakeCurrent(Linetype* record);
    void SelectSpecial(int number, bool setsPatternPens);
    QString DifferenceText() const;
    void WriteSection(QString& out, int number, const Linetype* defaults, const Linetype& record) const;
    static void WriteDeletedSection(QString& out, int number);

    PenState penState_ = PenState::Normal;
    std::optional<Linetype> contrast_;
    Linetype* current_ = nullptr;
    std::optional<platform::Pen> patternPens_[2];
    int cachedSubtypes_[2] = {0, 0};
    double cachedLengths_[2] = {0.0, 0.0};
    platform::ColorRef selectedColour_ = 0;
    platform::ColorRef highlightColour_ = 0;
    platform::ColorRef bothColour_ = 0;
    LinetypeMap defaults_;
    LinetypeMap linetypes_;
    SymbolicMap symbolic_;
    // The differences that the user file holds as far as this table knows:
    // set by Load and by every successful Save.
    std::optional<QString> savedDifferences_;
};
