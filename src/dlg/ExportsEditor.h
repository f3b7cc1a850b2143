#pragma once
// Output > Options: the configured exporters with an "enabled" box each,
// and Configure, Add, Rename and Delete. ExporterDeclare names a new
// exporter and picks its type, or renames one. Closing the list (OK, Cancel
// or the close box) keeps the boxes, saves the output configuration and
// tells the caller to rebuild the Output menu.
#include "exchange/export/ExportManager.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLineEdit;
class QTreeWidget;

namespace dlg {

// The declare dialog's answer: a name and a type word ("cf2", "hpgl",
// "oldn", "wild").
struct ExporterDeclaration {
    QString name;
    QString type;
};

class ExporterDeclare : public QDialog {
    Q_OBJECT
public:
    // typeFixed: an existing exporter being renamed (its type is shown, not changed).
    ExporterDeclare(const ExporterDeclaration& start, bool typeFixed, QWidget* parent = nullptr);
    ExporterDeclaration Result() const;
    QLineEdit* NameField() const { return name_; }
    QComboBox* TypeBox() const { return type_; }

public slots:
    void accept() override; // stays open without a name or a type

private:
    QLineEdit* name_;
    QComboBox* type_;
};

// Asks for a declaration; false when cancelled. The program shows
// ExporterDeclare, tests answer from a script.
using DeclareExporter = std::function<bool(ExporterDeclaration& declaration, bool typeFixed)>;
bool ShowExporterDeclare(ExporterDeclaration& declaration, bool typeFixed, QWidget* parent);

class ExportsEditor : public QDialog {
    Q_OBJECT
public:
    ExportsEditor(Export::ExportManager& manager, QWidget* parent = nullptr);
    void SetDeclare(DeclareExporter declare) { declare_ = std::move(declare); }
    // Called once the configuration is saved (the Output menu is rebuilt there).
    void SetOnSaved(std::function<void()> onSaved) { onSaved_ = std::move(onSaved); }

    QTreeWidget* List() const { return list_; }
    // The actions of the buttons, on the selected row.
    void Configure();
    void Add();
    void Modify();
    void Delete();
    // Keeps the boxes, saves and tells; also on Cancel and the close box.
    void done(int result) override;

private:
    void StoreChecks();
    void Fill();
    Export::exporter* Selected() const;

    Export::ExportManager& manager_;
    QTreeWidget* list_;
    DeclareExporter declare_;
    std::function<void()> onSaved_;
    bool finished_ = false;
};

} // namespace dlg
