#pragma once
// The component dialog of the extended standard editor: a component's name,
// drawing file, X, Y and rotation, and the drawing's variables with the
// overrides the extended standard gives them. What it does is
// ComponentOverrides; the window maps the buttons and the list onto it.
#include "dlg/SpecStandardEditor.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace dlg {

class ComponentOverrides;
class StandardFileAsker;

class CSpecStdPropDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextCaption = 645;
    static constexpr int kTextName = 561;
    static constexpr int kTextFile = 562;
    static constexpr int kTextX = 563;
    static constexpr int kTextY = 564;
    static constexpr int kTextRotation = 565;
    static constexpr int kTextRestore = 566;
    static constexpr int kTextReset = 567;
    static constexpr int kTextModify = 568;
    static constexpr int kTextColumnMark = 435;
    static constexpr int kTextColumnFormula = 436;
    static constexpr int kTextColumnVariable = 437;
    static constexpr int kTextFilterDrawing = 438;

    // The model has its variables loaded; `startFolder` is where the file
    // dialog starts.
    CSpecStdPropDlg(QWidget* parent, ComponentOverrides& model, StandardFileAsker& files,
                    const QString& startFolder);

    void OnBrowseFile();
    void OnModifyVariable();
    void OnReset();
    void OnRestore();
    void accept() override;

private:
    void ReadControls();
    void FillControls();
    void FillList();
    int SelectedRow() const;

    ComponentOverrides& model_;
    StandardFileAsker& files_;
    QString startFolder_;
    QLineEdit* name_;
    QLineEdit* file_;
    QLineEdit* x_;
    QLineEdit* y_;
    QLineEdit* rotation_;
    QTreeWidget* list_;
};

// The program's component editing: CSpecStdPropDlg, modal.
class DialogComponentEditing : public ComponentEditing {
public:
    DialogComponentEditing(QWidget* parent, StandardFileAsker& files, const QString& startFolder)
        : parent_(parent), files_(files), startFolder_(startFolder)
    {
    }
    void SetParent(QWidget* parent) { parent_ = parent; }
    bool Edit(SpecStandardComponent& component, const QString& standardFile) override;

private:
    QWidget* parent_;
    StandardFileAsker& files_;
    QString startFolder_;
};

} // namespace dlg
