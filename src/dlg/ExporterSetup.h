#pragma once
// The exporters' settings dialog: a property grid with the categories
// "General settings", "Offset" (only for exporters that use offsets) and
// "Output policy". ExporterRows builds the rows into a grid and reads the
// settings back (plain code); ExporterSetup is the dialog around it, and the
// four type dialogs add their own choices and store the result on OK.
#include "exchange/export/Exporter.h"
#include "exchange/export/ExportSettings.h"
#include "gui/OptionTree.h"
#include "gui/OptionTreeDlg.h"

#include <map>

namespace dlg {

// The output policy row: the policy decides which path rows can be edited.
class PolicyCombo : public gui::COptionTreeItemComboBox {
public:
    gui::COptionTreeItemFile* directory = nullptr;
    gui::COptionTreeItemFile* openWith = nullptr;
    void CommitChanges() override;
};

class ExporterRows {
public:
    // Keys of the combo rows.
    enum Combo { kExportMode = 0, kLayers, kInstances, kOptimization, kMirroring, kArcs, kTexts, kPolicy };

    explicit ExporterRows(gui::COptionTree& tree);
    // The "General settings" rows with their common entries.
    void BuildGeneral();
    // Appends a (translated) entry to a combo row; nothing for a missing row.
    void AddComboEntry(int key, int data, const QString& text);
    // Selects the settings' values, builds the offset and output rows.
    void SetSettings(const Export::ExportSettings& settings);
    // The edited settings. A row left without a selection (its stored value
    // has no entry) keeps the stored value.
    Export::ExportSettings GetSettings() const;

    gui::COptionTreeItem* Category(int key) const;
    gui::COptionTreeItemComboBox* ComboRow(int key) const;
    gui::COptionTreeItemSpinner* Spinner(int key) const;
    gui::COptionTreeItemFile* PathRow(int key) const;

private:
    gui::COptionTreeItem* AddCategory(int key, const char* label);
    gui::COptionTreeItemComboBox* AddCombo(int key, gui::COptionTreeItemComboBox* row, const char* label,
                                           std::initializer_list<std::pair<const char*, int>> entries);

    gui::COptionTree& tree_;
    std::map<int, gui::COptionTreeItem*> categories_;
    std::map<int, gui::COptionTreeItemComboBox*> combos_;
    std::map<int, gui::COptionTreeItemSpinner*> spinners_;
    std::map<int, gui::COptionTreeItemFile*> paths_;
    Export::ExportSettings kept_;
};

// The type's own choices (by its type word) added to the common rows.
void AddTypeEntries(ExporterRows& rows, const QString& typeWord);

class ExporterSetup : public gui::COptionTreeDlg {
    Q_OBJECT
public:
    explicit ExporterSetup(QWidget* parent = nullptr);
    ExporterRows& Rows() { return rows_; }

private:
    ExporterRows rows_;
};

// One exporter's configuration dialog: the common rows, the type's choices,
// the exporter's settings; OK stores the edited settings in the exporter.
class ExportConfigDialog : public ExporterSetup {
    Q_OBJECT
public:
    ExportConfigDialog(Export::exporter& edited, QWidget* parent = nullptr);
    // Stores the edited settings in the exporter.
    void Store();

private:
    Export::exporter& exporter_;
};

// Runs the configuration dialog modally: what Export::exporter::Configure
// shows in the program.
class QtExporterConfigurator : public Export::ExporterConfigurator {
public:
    explicit QtExporterConfigurator(QWidget* parent) : parent_(parent) {}
    bool Configure(Export::exporter& configured) override;

private:
    QWidget* parent_;
};

} // namespace dlg
