#pragma once
// Construct > Standard > Install: lists the standard packages of one family
// (ECMA, FEFCO, TOP) from the standards server or a local folder together
// with those already in the packages folder (marked "*"), downloads the
// selected ones into the packages folder and installs the selected package
// in place of the family's folder and catalogue.
//
// Listing and downloading run on a worker thread with a progress bar and a
// Cancel button; the dialog's other controls wait meanwhile. The work itself
// is standards/PackageJobs.h; this class only maps the controls onto it.
#include "standards/PackageListing.h"
#include "standards/PackageSource.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QThread;
class QTreeWidget;

namespace dlg {

class CDlgStdInstall : public QDialog {
    Q_OBJECT
public:
    explicit CDlgStdInstall(QWidget* parent = nullptr);
    ~CDlgStdInstall() override;

    void OnRefresh();
    void OnDownload();
    void OnInstall();
    void OnBrowse();
    void OnCancelWork();

    // For tests: the rows shown, whether a job runs, and the controls.
    const std::vector<standards::PackageRow>& Rows() const { return rows_; }
    bool Busy() const { return worker_ != nullptr; }
    QTreeWidget* List() const { return list_; }
    QComboBox* FamilyBox() const { return family_; }
    QRadioButton* InternetButton() const { return internet_; }
    QRadioButton* LocalButton() const { return local_; }
    QLineEdit* FolderEdit() const { return folder_; }

signals:
    // A job ended and its result has been shown.
    void workFinished();

protected:
    void reject() override;

private:
    standards::PackageFamily PackageFamily() const;
    std::unique_ptr<standards::PackageSource> Source() const;
    // The selected rows; with none, the user is told to select first.
    std::vector<standards::PackageRow> SelectedRows() const;
    void ShowRows(const std::vector<standards::PackageRow>& rows);
    void Start(const QString& what, std::function<standards::PackageIssue(standards::TransferControl&)> job,
               std::function<void()> then);
    void Finish();
    void SetBusy(bool busy);
    void AutoRefresh();

    QComboBox* family_;
    QRadioButton* internet_;
    QRadioButton* local_;
    QLineEdit* folder_;
    QPushButton* browse_;
    QTreeWidget* list_;
    QPushButton* refresh_;
    QPushButton* download_;
    QPushButton* install_;
    QCheckBox* autoRefresh_;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* cancel_;
    QPushButton* ok_;

    std::vector<standards::PackageRow> rows_;
    QThread* worker_ = nullptr;
    std::shared_ptr<standards::TransferControl> control_;
    standards::PackageIssue jobIssue_;
    std::function<void()> then_;
};

} // namespace dlg
