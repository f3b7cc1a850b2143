#pragma once
// The application's options: what the program remembers between runs. Values
// in the registry profile (read when asked, except those read once by Load),
// the settings, bridge-rule and shapes file pairs under the application
// folder, the language table, the hot-key bindings of the point-definition
// commands, the user's standard collections, the remembered dimensions of
// standards in "C:\Standards.ini", and values that small dialogs remember for
// the run.
//
// Created at start-up (before anything is read), loaded once with Load(),
// destroyed with the application: the destructor saves the settings that
// differ from the defaults to "\Config\settings.cfg".
#include "platform/ScopedOverride.h"
#include <QString>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "options/BridgeRules.h"
#include "options/KeyBinding.h"
#include "settings/ProfileStore.h"
#include "options/StandardsList.h"

class LanguageTable;
class LineTypePens;
namespace platform {
class Device;
}

class COptions {
public:
    COptions();
    ~COptions();
    COptions(const COptions&) = delete;
    COptions& operator=(const COptions&) = delete;

    // The application's options, published by the application; null before.
    static COptions* Current();
    // Publishes the options until the guard goes.
    static platform::ScopedOverride<COptions*> Install(COptions& options);

    // Start-up: the settings pair, the language table (published as the
    // process-wide table), the bridge rules, the shapes, then the registry
    // values read once (NPath, BACKGROUND, MEASUREPARAM0-4, the standards
    // list and the key bindings).
    void Load();

    // --- registry values -------------------------------------------------
    int GetLineType() const;              // "Settings"/"LINE_TYPE", 1
    void SetLineType(int lineType);
    int GetTextLineType() const;          // "TEXT_LYNE_TYP"; -1 (default) means LINE_TYPE
    int GetPropSelColour() const;         // "Colours"/"PROPSELCOL", 0xFFFFFF
    int GetAutosaveInterval() const;      // seconds, 600
    void GetClSize(double& width, double& height) const; // mm, 8.0 and 5.0
    double GetDefaultPtg() const { return 2.0; }
    // The view's origin (two int32) and zoom, 8 bytes each. LoadView sets
    // each output only when its value is stored with 8 bytes; true when both
    // were.
    void SaveView(int originX, int originY, double zoom);
    bool LoadView(int& originX, int& originY, double& zoom) const;
    const QString& GetNPath() const { return nPath_; }
    int GetBackgroundColour() const { return backgroundColour_; } // 0x00BBGGRR

    // Fills the rectangle with the background colour (solid brush and a solid
    // 1-pixel pen of it), restores the device's pen and brush and returns the
    // colour; 0 and nothing drawn without a device.
    int PaintBackground(platform::Device* dc, int left, int top, int right, int bottom) const;
    // Selects the pen of the line type into the device through the installed
    // line-type pens; the null pen when none are installed.
    void SelectLineTypePen(platform::Device& dc, int lineType) const;
    void SetLineTypePens(LineTypePens* pens) { lineTypePens_ = pens; }
    // The dimension parameters in mm (radians for parameter 0): the factory
    // values until Load reads "MEASUREPARAM0" to "MEASUREPARAM4".
    const std::array<double, 5>& GetMeasureParams() const { return measureParams_; }
    static std::array<double, 5> DefaultMeasureParams();

    QString ReadRegistryString(const QString& section, const QString& key) const;
    void WriteRegistryString(const QString& section, const QString& key, const QString& text);
    // "Paths"/"Application" read now, followed directly by relative (which
    // starts with a backslash: "\Defaults\settings.ini").
    QString MakeAppPath(const QString& relative) const;
    // Lets the user pick a folder (folderOnly) or a file for a registry text
    // value, starting from its current text, and stores the choice (a folder
    // ends in one separator). False, nothing changed, on cancel.
    bool BrowsePath(const QString& section, const QString& key, bool folderOnly, const QString& filter);

    // --- key bindings ("Keyboard") -----------------------------------------
    static QString GetKeyBindingName(int slot) { return KeyBindingName(slot); }
    // Reads every slot's binding; a slot whose value is absent or not 8 bytes
    // long keeps what it held (all zero after construction), or, once the
    // factory layer is in force, takes its factory binding (FactoryKeyBinding).
    // A factory binding on the same key and modifiers as one of the user's
    // is dropped: the user took that key for another slot.
    void LoadKeyboard();
    // Puts the factory bindings under the user's values from now on and reads
    // the bindings again. Load does this at start-up.
    void UseFactoryKeyBindings();
    const KeyBinding& GetKeyBinding(int slot) const;
    // True when the slot holds its factory binding: the user has no value of
    // 8 bytes for it and no binding of the user's took its key. For the
    // hot-key dialog, which shows such a binding as the factory's.
    bool IsFactoryKeyBinding(int slot) const;
    // True when the slot's key, Ctrl, Shift and Alt (bit 13 of keyFlags) are
    // the event's.
    bool MatchKey(int virtualKey, unsigned keyFlags, int shift, int ctrl, int slot) const;
    // 0 when no point-definition key matches, 1 or 2 for a point key (mode
    // set to the point-definition mode), 3 for "DEF_EXITFUNC".
    int MatchPointKey(int virtualKey, unsigned keyFlags, int shift, int ctrl, int& mode) const;

    // --- standard collections and remembered standard dimensions -------------
    void LoadStandardsList() { standards_.Load(); }
    void SaveStandardsList() const { standards_.Save(); }
    int AddStandard(const QString& name, const QString& file) { return standards_.Add(name, file); }
    void RemoveStandard(int i) { standards_.Remove(i); }
    bool ModifyStandard(int i, const QString& name, const QString& file) { return standards_.Set(i, name, file); }
    const StandardsList& GetStandards() const { return standards_; }
    // "(%f),(%f),(%f),(%f)" under key in section "STANDARD" of "C:\Standards.ini".
    [[nodiscard]] bool WriteStandardBox(const QString& key, double a, double b, double h, double matThick);
    // The four values back; outputs unchanged (and false) when there is none.
    bool ReadStandardBox(const QString& key, double& a, double& b, double& h, double& matThick) const;

    // --- settings, language and bridge rules ---------------------------------
    ProfileStore& GetSettings() { return settingsStore_; }
    LanguageTable* GetLanguageTable() const { return languageTable_.get(); }
    void SetLanguageOrder(const QString& order);
    void ReloadLanguageOrder();
    void LoadBridges();
    // Writes the rules' differences to "\Config\bridges.cfg"; false when it
    // could not be written.
    [[nodiscard]] bool SaveBridges();
    void LoadShapes();
    // The rules and bridge defaults, edited in place by the bridge dialog;
    // its owner then calls SaveBridges.
    void GetBridgeSettings(BridgeRuleSet*& rules, double*& perLength, double*& length);
    BridgeCount GetAutoLengthNumBridges(double length, int elementType) const;

    // --- printing and values remembered for the run -------------------------
    int GetPrintOverlap() const { return printOverlap_; }
    void SetPrintOverlap(int mm) { printOverlap_ = mm; }
    int GetPrintMode() const { return printMode_; }
    void SetPrintMode(int mode) { printMode_ = mode; }
    int GetNamedInt(const std::string& name, int defaultValue) const;
    void SetNamedInt(const std::string& name, int value) { namedInts_[name] = value; }
    double GetNamedDouble(const std::string& name, double defaultValue) const;
    void SetNamedDouble(const std::string& name, double value) { namedDoubles_[name] = value; }

private:
    void AddFilePair(ProfileStore& store, const QString& defaults, const QString& user) const;
    void LoadRegistryValues();

    int backgroundColour_ = 0;
    LineTypePens* lineTypePens_ = nullptr;
    std::unique_ptr<LanguageTable> languageTable_;
    std::optional<platform::ScopedOverride<LanguageTable*>> languageInstalled_;
    std::array<KeyBinding, KeyBindingSlotCount> keyBindings_{};
    std::array<bool, KeyBindingSlotCount> factoryKeyBinding_{};
    bool factoryKeyLayer_ = false;
    std::array<double, 5> measureParams_ = DefaultMeasureParams();
    StandardsList standards_;
    ProfileStore shapesStore_;
    QString nPath_;
    const QString standardsIniPath_;
    ProfileStore bridgesStore_;
    ProfileStore settingsStore_;
    int printOverlap_ = 10;
    int printMode_ = 2;
    BridgeRuleTable bridges_;
    std::map<std::string, int> namedInts_;
    std::map<std::string, double> namedDoubles_;
};
