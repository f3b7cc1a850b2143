#pragma once
// The layout optimisation dialog: the document's saved layouts, the
// application's paper sizes (Add and Delete change the table for the rest
// of the run), ">>" and "All >>" storing results for both orientations of
// the paper, the result list with each result's best fit and spare part,
// deletions, and Load, which ends the dialog with the chosen result. The
// logic is LayoutOptimisation's.
#include "dlg/LayoutOptimisation.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace dlg {

class CalcLayout : public QDialog {
    Q_OBJECT
public:
    // Language texts: caption (and the Optimize button elsewhere), paper,
    // Delete, Load, Cancel, Add.
    static constexpr int kTextCaption = 590;
    static constexpr int kTextPaper = 126;
    static constexpr int kTextDelete = 232;
    static constexpr int kTextLoad = 605;
    static constexpr int kTextCancel = 133;
    static constexpr int kTextAdd = 601;

    CalcLayout(QWidget* parent, LayoutStore& store, const Section& section, PaperSizes papers);

    // After OK (only Load ends with it): the chosen result.
    const std::optional<ChosenLayoutResult>& GetChosenResult() const { return chosen_; }

    // The controls, for the window tests.
    QComboBox* Layouts() const { return layouts_; }
    QComboBox* Papers() const { return papers_; }
    QTreeWidget* Results() const { return results_; }
    QLineEdit* PaperEdit(int i) const { return i == 0 ? width_ : height_; }

    // The buttons' work.
    void OnAddPaper();
    void OnDeletePaper();
    void OnDeleteLayout();
    void OnOptimise();
    void OnOptimiseAll();
    void OnDeleteResult();
    void OnLoad();

private:
    void FillLayouts();
    void FillPapers();
    void FillResults();
    std::optional<int> SelectedPaper() const;
    const LayoutResult* SelectedResult() const;
    bool Confirmed() const;

    LayoutStore& store_;
    LayoutOptimisation logic_;
    std::optional<ChosenLayoutResult> chosen_;
    QComboBox* layouts_;
    QComboBox* papers_;
    QLineEdit* width_;
    QLineEdit* height_;
    QTreeWidget* results_;
};

} // namespace dlg
