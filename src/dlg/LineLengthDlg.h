#pragma once
// The rule length report (Measure > Line Length): the layer and ptg
// filters, "show all line types", the list of line types with their kind
// and length, the total and the extents. Everything it shows is
// LineLengthReport's; the dialog maps it onto the controls.
#include "dlg/LineLengthReport.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTreeWidget;

namespace dlg {

class CLineLength : public QDialog {
    Q_OBJECT
public:
    CLineLength(QWidget* parent, const CMorvekDoc& doc, const LinetypeTable& linetypes);

    const LineLengthReport& Report() const { return report_; }
    QComboBox* LayerBox() const { return layers_; }
    QComboBox* PtgBox() const { return ptg_; }
    QCheckBox* ShowAll() const { return showAll_; }
    QTreeWidget* List() const { return list_; }
    QLineEdit* Total() const { return total_; }
    QLineEdit* ExtentsOne() const { return extentsOne_; }
    QLineEdit* ExtentsAll() const { return extentsAll_; }

    // Reads the controls, measures again and writes the results back; with
    // showPtgChoice a ptg text that names no ptg shows the "all" item again.
    void Recalculate(bool showPtgChoice = true);

private:
    LineLengthReport report_;
    QComboBox* layers_;
    QComboBox* ptg_;
    QCheckBox* showAll_;
    QTreeWidget* list_;
    QLineEdit* total_;
    QLineEdit* extentsOne_;
    QLineEdit* extentsAll_;
};

} // namespace dlg
