#include "dlg/ExporterSetup.h"

#include "gui/FolderChooser.h"
#include "options/LanguageTable.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

namespace dlg {

namespace {

QString Key(const char* key)
{
    return TranslateKey(QString::fromLatin1(key));
}

enum Category { kGeneral = 0, kOffset, kOutput };
enum PathKey { kDirectory = 0, kOpenWith };

constexpr double kSpinnerMinimum = -2147483648.0;
constexpr double kSpinnerMaximum = 2147483647.0;

} // namespace

void PolicyCombo::CommitChanges()
{
    if (!directory || !openWith)
        return;
    switch (EntryData(CurrentIndex())) {
    case 0:
    case 1:
        directory->SetReadOnly(false);
        openWith->SetReadOnly(true);
        break;
    case 2:
        directory->SetReadOnly(true);
        openWith->SetReadOnly(true);
        break;
    case 3:
        directory->SetReadOnly(true);
        openWith->SetReadOnly(false);
        break;
    default:
        break;
    }
}

ExporterRows::ExporterRows(gui::COptionTree& tree) : tree_(tree) {}

gui::COptionTreeItem* ExporterRows::AddCategory(int key, const char* label)
{
    auto* row = tree_.Insert(new gui::COptionTreeItem);
    row->SetLabelText(Key(label));
    categories_[key] = row;
    return row;
}

gui::COptionTreeItemComboBox* ExporterRows::AddCombo(int key, gui::COptionTreeItemComboBox* row, const char* label,
                                                     std::initializer_list<std::pair<const char*, int>> entries)
{
    tree_.InsertItem(row, key == kPolicy ? categories_[kOutput] : categories_[kGeneral]);
    row->SetLabelText(Key(label));
    for (const auto& [text, data] : entries)
        row->AddEntry(Key(text), data);
    combos_[key] = row;
    return row;
}

void ExporterRows::BuildGeneral()
{
    AddCategory(kGeneral, "General settings");
    AddCombo(kExportMode, new gui::COptionTreeItemComboBox, "Export mode",
             {{"normal", 0}, {"with bridges", 2}, {"with special linetypes", 3}});
    AddCombo(kLayers, new gui::COptionTreeItemComboBox, "Layers",
             {{"all layers", 0}, {"actual layer only", 2}, {"visible layers", 1}});
    AddCombo(kInstances, new gui::COptionTreeItemComboBox, "Instances", {{"original instance only", 2}});
    AddCombo(kOptimization, new gui::COptionTreeItemComboBox, "Optimization",
             {{"normal", 1}, {"by linetype", 2}, {"no optimization", 0}});
    AddCombo(kMirroring, new gui::COptionTreeItemComboBox, "Mirroring",
             {{"no mirroring", 0}, {"mirror all", 1}, {"mirror all but text", 2}});
    AddCombo(kArcs, new gui::COptionTreeItemComboBox, "Arc to lines", {{"do not split", 0}, {"split", 1}});
    AddCombo(kTexts, new gui::COptionTreeItemComboBox, "Text to lines", {{"do not split", 0}, {"split", 1}});
}

void ExporterRows::AddComboEntry(int key, int data, const QString& text)
{
    if (auto* row = ComboRow(key))
        row->AddEntry(text, data);
}

void ExporterRows::SetSettings(const Export::ExportSettings& settings)
{
    const int values[] = {settings.mode, settings.layer, settings.instance, settings.optimize,
                          settings.mirror, settings.arc, settings.text};
    for (int key = kExportMode; key <= kTexts; ++key)
        if (auto* row = ComboRow(key))
            row->SelectData(values[key]);
    if (settings.use_offset) {
        gui::COptionTreeItem* offset = AddCategory(kOffset, "Offset");
        const char* labels[] = {"Offset X", "Offset Y"};
        const double offsets[] = {settings.offset_x, settings.offset_y};
        for (int key = 0; key < 2; ++key) {
            auto* spinner = tree_.Insert(new gui::COptionTreeItemSpinner, offset);
            spinner->SetLabelText(Key(labels[key]));
            spinner->Setup(gui::COptionTreeItemSpinner::kTyping, offsets[key], kSpinnerMinimum, kSpinnerMaximum);
            spinners_[key] = spinner;
        }
    }
    AddCategory(kOutput, "Output policy");
    auto* policy = static_cast<PolicyCombo*>(AddCombo(kPolicy, new PolicyCombo, "Output policy",
                                                      {{"remember last directory", 0},
                                                       {"fixed directory", 1},
                                                       {"document's directory", 2},
                                                       {"open", 3}}));
    auto* directory = tree_.Insert(new gui::COptionTreeItemFile, categories_[kOutput]);
    directory->SetLabelText(Key("Output directory"));
    directory->Setup(settings.dir, {}, gui::COptionTreeItemFile::kFolder | gui::COptionTreeItemFile::kFullPath);
    auto* openWith = tree_.Insert(new gui::COptionTreeItemFile, categories_[kOutput]);
    openWith->SetLabelText(Key("Open with"));
    openWith->Setup(settings.send_to, gui::kExecutableFilter,
                    gui::COptionTreeItemFile::kOpen | gui::COptionTreeItemFile::kFullPath);
    paths_[kDirectory] = directory;
    paths_[kOpenWith] = openWith;
    policy->directory = directory;
    policy->openWith = openWith;
    policy->SelectData(settings.dir_policy);
    policy->CommitChanges();
    kept_ = settings;
}

Export::ExportSettings ExporterRows::GetSettings() const
{
    Export::ExportSettings settings = kept_;
    int* fields[] = {&settings.mode,   &settings.layer, &settings.instance, &settings.optimize,
                     &settings.mirror, &settings.arc,   &settings.text,     &settings.dir_policy};
    for (int key = kExportMode; key <= kPolicy; ++key) {
        const gui::COptionTreeItemComboBox* row = ComboRow(key);
        if (row && row->CurrentIndex() >= 0)
            *fields[key] = row->EntryData(row->CurrentIndex());
    }
    if (const auto* directory = PathRow(kDirectory))
        settings.dir = directory->GetPath();
    if (const auto* openWith = PathRow(kOpenWith))
        settings.send_to = openWith->GetPath();
    if (settings.use_offset && Spinner(0) && Spinner(1)) {
        settings.offset_x = Spinner(0)->GetValue();
        settings.offset_y = Spinner(1)->GetValue();
    }
    return settings;
}

gui::COptionTreeItem* ExporterRows::Category(int key) const
{
    const auto it = categories_.find(key);
    return it == categories_.end() ? nullptr : it->second;
}

gui::COptionTreeItemComboBox* ExporterRows::ComboRow(int key) const
{
    const auto it = combos_.find(key);
    return it == combos_.end() ? nullptr : it->second;
}

gui::COptionTreeItemSpinner* ExporterRows::Spinner(int key) const
{
    const auto it = spinners_.find(key);
    return it == spinners_.end() ? nullptr : it->second;
}

gui::COptionTreeItemFile* ExporterRows::PathRow(int key) const
{
    const auto it = paths_.find(key);
    return it == paths_.end() ? nullptr : it->second;
}

void AddTypeEntries(ExporterRows& rows, const QString& typeWord)
{
    if (typeWord == QLatin1String("cf2") || typeWord == QLatin1String("oldn")) {
        rows.AddComboEntry(ExporterRows::kInstances, 0, Key("all instances"));
        rows.AddComboEntry(ExporterRows::kInstances, 1, Key("convert all into one"));
        rows.AddComboEntry(ExporterRows::kExportMode, 1, Key("compatibility mode"));
    } else if (typeWord == QLatin1String("hpgl") || typeWord == QLatin1String("wild"))
        rows.AddComboEntry(ExporterRows::kInstances, 1, Key("all instances"));
}

ExporterSetup::ExporterSetup(QWidget* parent) : gui::COptionTreeDlg(parent), rows_(Tree())
{
    setObjectName(QStringLiteral("ExporterSetup"));
    rows_.BuildGeneral();
}

ExportConfigDialog::ExportConfigDialog(Export::exporter& edited, QWidget* parent)
    : ExporterSetup(parent), exporter_(edited)
{
    AddTypeEntries(Rows(), edited.TypeName());
    Rows().SetSettings(edited.GetSettings());
    Tree().SetColumnWidth(170);
    Tree().ExpandAllItems();
    setWindowTitle(edited.GetName());
    resize(340, 450);
    connect(this, &QDialog::accepted, this, &ExportConfigDialog::Store);
}

void ExportConfigDialog::Store()
{
    exporter_.SetSettings(Rows().GetSettings());
}

bool QtExporterConfigurator::Configure(Export::exporter& configured)
{
    ExportConfigDialog dialog(configured, parent_);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace dlg
