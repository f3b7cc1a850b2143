#pragma once
// The Line, Arc and Ellipse pages of the properties sheet: their points,
// extensions and derived values over PropertyValues, with a working copy
// previewed beside them.
#include "dlg/PropertyPage.h"

#include <memory>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;
class QComboBox;
class QPushButton;

namespace dlg {

struct Extension;
struct PagePoint;
struct PropertyValues;
class PropertyPreview;
class WorkingCopy;

// Messages of OK's checks, the tab captions, the extension labels and the
// ellipse's conversion button.
inline constexpr int kTextEqualLineEnds = 2500;
inline constexpr int kTextEllipseRadius = 2501;
inline constexpr int kTextConvertToArcs = 2502;
inline constexpr int kTextCaptionElement = 2503;
inline constexpr int kTextCaptionLine = 2504;
inline constexpr int kTextCaptionArc = 2505;
inline constexpr int kTextCaptionEllipse = 2506;
inline constexpr int kTextExtensionStart = 2507;
inline constexpr int kTextExtensionEnd = 2508;

// The pages for the registry (dlg/PropertyPages.h).
PropertyPage* MakeLinePage(PropertyValues& values, QWidget* parent);
PropertyPage* MakeArcPage(PropertyValues& values, QWidget* parent);
PropertyPage* MakeEllipsePage(PropertyValues& values, QWidget* parent);

// What the three pages share: rows of point fields with their pick buttons,
// shown values, extension fields with arrow buttons, and the preview.
class GeometryPage : public PropertyPage {
    Q_OBJECT
public:
    GeometryPage(PropertyValues& values, QWidget* parent);
    ~GeometryPage() override;

    void Begin(const PropertyContext& context) override;
    void ReadFields() override;
    void End() override;
    CElement* PreviewElement() override;
    std::vector<die::coord> PreviewMarkers() const override;
    int HighlightedMarker() const override { return highlighted_; }
    int PreviewLineType() const override;

    // The edits of point i (x, y) and of the shown values, for tests.
    QLineEdit* PointEdit(int point, int axis) const;
    QLineEdit* ShownEdit(int i) const;
    QLineEdit* ExtensionEdit(int i) const;
    QPushButton* SpinButton(int extension, bool up) const;
    QPushButton* PickButton(int point) const;
    PropertyPreview* Preview() const { return preview_; }

protected:
    // Builds a point row (label, x, y, "..." ending the sheet with the pick
    // code) over the point; marker is the working copy's node it moves.
    void AddPointRow(int label, PagePoint& point, int pickCode, int marker);
    // A shown value (read only unless editable) with its label.
    QLineEdit* AddValueRow(int label, bool editable);
    void AddExtensionRow(int label, Extension& extension, int marker);
    // Places the working copy's nodes from the values (after the Element
    // page's values); returns the extensions to apply.
    virtual void PlaceNodes(WorkingCopy& copy) = 0;
    virtual void ShowDerived() = 0;
    virtual void ReadOwnFields() {}
    void ShowFields();
    // A field changed: read, working copy, derived values, preview.
    void Refresh();
    void SetHighlight(int marker);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The Element page may have changed meanwhile.
    void showEvent(QShowEvent* event) override;

    PropertyValues& values_;
    QGridLayout* grid_ = nullptr;
    int row_ = 0;
    const PropertyContext* context_ = nullptr;
    PropertyContext contextCopy_{};
    std::unique_ptr<WorkingCopy> copy_;
    PropertyPreview* preview_ = nullptr;
    Extension* atStart_ = nullptr;
    Extension* atEnd_ = nullptr;

private:
    struct PointRow {
        PagePoint* point;
        QLineEdit* x;
        QLineEdit* y;
        QPushButton* pick;
        int marker;
    };
    struct ExtensionRow {
        Extension* extension;
        QLineEdit* edit;
        QPushButton* up;
        QPushButton* down;
        int marker;
    };
    std::vector<PointRow> points_;
    std::vector<QLineEdit*> shown_;
    std::vector<ExtensionRow> extensions_;
    int highlighted_ = -1;
    bool showing_ = false;
};

} // namespace dlg
