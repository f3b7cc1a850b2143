#pragma once
// The standards browser's window: the catalogue's tree (folder and standard
// icons), the preview fitted in its 200 x 150 frame, A, B, H and MatThick,
// the secondary origin, Load, Merge, Cancel and the catalogue's editing
// buttons. Its rules are StandardBrowser; the window maps events to it.
#include "dlg/StandardBrowser.h"

#include <QDialog>
#include <QPixmap>

#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace dlg {

class StandardPreview;

class CStandardDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextTitle = 646;
    static constexpr int kTextAdd = 601;
    static constexpr int kTextSpecial = 602;
    static constexpr int kTextModify = 603;
    static constexpr int kTextDelete = 604;
    static constexpr int kTextLoad = 605;
    static constexpr int kTextMerge = 606;
    static constexpr int kTextCancel = 133;
    static constexpr int kTextA = 607;
    static constexpr int kTextB = 608;
    static constexpr int kTextH = 609;
    static constexpr int kTextMatThick = 610;
    static constexpr int kTextPreview = 611;
    static constexpr int kTextSecondary = 612;
    static constexpr int kTextOrigin = 613;
    static constexpr int kTextRotation = 614;
    static constexpr int kTextPopupDelete = 430;
    static constexpr int kTextPopupModify = 431;
    static constexpr int kTextPopupAdd = 432;
    static constexpr int kTextNewExtended = 429;
    static constexpr int kFrameWidth = 200;
    static constexpr int kFrameHeight = 150;

    CStandardDlg(StandardBrowser& browser, QWidget* parent = nullptr);
    ~CStandardDlg() override;

    // The choice the window closed with (Cancel until Load, Merge or the
    // origin pick).
    const standards::StandardChoice& Choice() const { return choice_; }

    // The controls, for the tests and the screenshots.
    QTreeWidget* Tree() const { return tree_; }
    QLineEdit* Field(int i) const { return fields_[std::size_t(i)]; }
    QPushButton* MergeButton() const { return merge_; }
    QPushButton* PickButton() const { return pick_; }
    QCheckBox* SecondaryBox() const { return secondaryBox_; }
    // The tree item of catalogue entry n (null for none).
    QTreeWidgetItem* ItemOf(int n) const;

    // The buttons' actions.
    void OnLoad(bool doubleClick = false);
    void OnMerge();
    void OnPickOrigin();
    void OnAdd();
    void OnSpecial();
    void OnModify();
    void OnDelete();
    void OnMove(StandardCatalogue::Direction direction);

private:
    void BuildTree();
    void Reselect(int n);
    void OnSelectionChanged();
    void OnItemPressed(QTreeWidgetItem* item);
    void OnDoubleClicked(QTreeWidgetItem* item);
    void ShowFields();
    void ReadFields();
    void FollowSecondary();
    void ShowPopup(const QPoint& at);
    void Close(const std::optional<standards::StandardChoice>& choice);
    bool eventFilter(QObject* watched, QEvent* event) override;

    StandardBrowser& browser_;
    standards::StandardChoice choice_;
    QTreeWidget* tree_;
    std::vector<QTreeWidgetItem*> items_;
    StandardPreview* preview_;
    std::vector<QLineEdit*> fields_; // A, B, H, MatThick, origin X, origin Y, rotation
    QCheckBox* previewBox_;
    QCheckBox* secondaryBox_;
    QPushButton* merge_;
    QPushButton* pick_;
    QTreeWidgetItem* pressedSelected_ = nullptr;
    bool filling_ = false;
};

// Shows the browser modally; the choice it closed with.
standards::StandardChoice RunStandardBrowser(QWidget* parent, StandardBrowser& browser);

} // namespace dlg
