#pragma once
// The edge dialog: which contours to follow (all line types or one), the
// side and distance of the new rule, its corner radius and line type, and
// the two options (resolve self-crossings, outline under every placement).
// Its rules are EdgeChoices; the view keeps one EdgeChoices, so the dialog
// reopens with what its last OK gave.
#include "dlg/EdgeChoices.h"

#include <QDialog>

class LinetypeTable;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace dlg {

class CEdgeDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextTitle = 701;
    static constexpr int kTextSourceGroup = 702;
    static constexpr int kTextAllLineTypes = 703;
    static constexpr int kTextOneLineType = 704;
    static constexpr int kTextSideGroup = 705;
    static constexpr int kTextNegativeSide = 706;
    static constexpr int kTextPositiveSide = 707;
    static constexpr int kTextDistance = 708;
    static constexpr int kTextOutlineLineType = 709;
    static constexpr int kTextFillet = 767;
    static constexpr int kTextResolveCrossings = 814;
    static constexpr int kTextEveryPlacement = 826;
    static constexpr int kTextOk = 132;
    static constexpr int kTextCancel = 133;

    // Shows the fields of choices.Open; the combos list the line types of
    // the table that are not display line types.
    CEdgeDlg(EdgeChoices& choices, const LinetypeTable& linetypes, int currentLineType, bool restricted,
             QWidget* parent = nullptr);

    // What the controls show now.
    EdgeFields Fields() const;
    // The results of the last OK (valid after Accepted).
    const OutlineSettings& Results() const { return choices_.Results(); }

    // Runs the dialog; the results on OK, nothing on Cancel.
    static std::optional<OutlineSettings> Ask(QWidget* parent, EdgeChoices& choices, const LinetypeTable& linetypes,
                                              int currentLineType, bool restricted);

    void accept() override;

private:
    void Show(const EdgeFields& f);
    void FollowControls();
    static void SelectLineType(QComboBox* combo, int lineType);

    EdgeChoices& choices_;
    EdgeFields shown_;
    QRadioButton* all_;
    QRadioButton* one_;
    QComboBox* source_;
    QRadioButton* negative_;
    QRadioButton* positive_;
    QLineEdit* distance_;
    QCheckBox* fillet_;
    QLineEdit* radius_;
    QComboBox* outline_;
    QCheckBox* crossings_;
    QCheckBox* placements_;
};

} // namespace dlg
