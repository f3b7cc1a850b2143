#pragma once
// The variables dialogs: the list of a drawing's variables (CVariableDlg,
// behind View > Variables), one variable's name, expression and description
// (CVariablePropDlg, also used by the node dialog's Add Variable) and the
// small rename dialog (CChangeNameDlg). What they do to the drawing is
// VariableEdits.
#include "dlg/VariableEdits.h"

#include <QDialog>
#include <QString>

class FormulaTable;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace dlg {

class CVariableEditCtrl;

class CVariablePropDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextCaption = 651;
    static constexpr int kTextName = 557;
    static constexpr int kTextExpression = 558;
    static constexpr int kTextDescription = 559;

    CVariablePropDlg(QWidget* parent, FormulaTable* table, bool nameEditable);
    void SetTexts(const QString& name, const QString& expression, const QString& description);
    QString Name() const;
    QString Expression() const;
    QString Description() const;
    CVariableEditCtrl* ExpressionField() const { return expression_; }

private:
    QLineEdit* name_;
    CVariableEditCtrl* expression_;
    QLineEdit* description_;
};

class CChangeNameDlg : public QDialog {
    Q_OBJECT
public:
    CChangeNameDlg(QWidget* parent, const QString& caption, const QString& firstLabel, const QString& secondLabel,
                   const QString& firstValue, const QString& secondValue);
    // The second edit's text (the first is shown only).
    QString SecondValue() const;

private:
    QLineEdit* second_;
};

class CVariableDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextCaption = 650;
    static constexpr int kTextListGroup = 572;
    static constexpr int kTextDefinitionGroup = 573;
    static constexpr int kTextAdd = 574;
    static constexpr int kTextModify = 575;
    static constexpr int kTextRename = 751;
    static constexpr int kTextDelete = 577;
    static constexpr int kTextAll = 578;
    static constexpr int kTextUsedFilter = 579;
    static constexpr int kTextCheckUsed = 867;
    static constexpr int kTextColumnName = 415;
    static constexpr int kTextColumnValue = 414;
    static constexpr int kTextColumnValidity = 413;
    static constexpr int kTextRenameCaption = 752;
    static constexpr int kTextRenameOld = 753;
    static constexpr int kTextRenameNew = 754;

    CVariableDlg(QWidget* parent, VariableEdits& edits);

    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnRename();
    // Refills the list, keeping the selected variable.
    void RefreshList();
    QString SelectedName() const;
    void Select(const QString& name);

private:
    void ShowDefinition();

    VariableEdits& edits_;
    QTreeWidget* list_;
    QLabel* definition_;
    QRadioButton* all_;
    QRadioButton* used_;
    QCheckBox* checkUsed_;
};

} // namespace dlg
