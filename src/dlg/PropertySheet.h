#pragma once
// The element properties sheet (caption text 396): the pages of one run in
// tab order, modal. A page's pick or conversion button ends it with its
// code; OK checks every page and stays open on a refusal; Cancel ends it
// with propend::kCancel.
#include <QDialog>

class QTabWidget;

namespace dlg {

class ElementPage;
class PropertyPage;
struct PropertySheetRun;

class PropertySheet : public QDialog {
    Q_OBJECT
public:
    PropertySheet(PropertySheetRun& run, QWidget* parent);
    ~PropertySheet() override;

    QTabWidget* Tabs() const { return tabs_; }
    ElementPage* Element() const { return element_; }
    PropertyPage* Detail() const { return detail_; }

    // Shows the sheet for the run and returns its end code.
    static int Run(PropertySheetRun& run, QWidget* parent);

    void accept() override;
    void reject() override;

private:
    void ReadAll();
    void EndWith(int code);

    PropertySheetRun& run_;
    QTabWidget* tabs_ = nullptr;
    ElementPage* element_ = nullptr;
    PropertyPage* detail_ = nullptr;
};

} // namespace dlg
