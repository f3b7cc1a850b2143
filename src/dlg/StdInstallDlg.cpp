#include "dlg/StdInstallDlg.h"

#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "standards/FtpSource.h"
#include "standards/PackageJobs.h"
#include "standards/StandardFolders.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dlg {
namespace {

using standards::PackageIssue;
using standards::TransferControl;

constexpr int kTextNothingSelected = 201;
constexpr int kTextOk = 132;
constexpr int kTextInstall = 887;

// The list's columns: number, date, description, "*" when downloaded.
constexpr int kColumnWidths[] = {40, 90, 260, 20};

QString Key(const char* key)
{
    return TranslateKey(QLatin1String(key));
}

void Show(const PackageIssue& issue)
{
    platform::ask(standards::IssueText(issue), Key("Standard_Installation"), platform::PromptButtons::Ok,
                  issue.textId == standards::TextInstalled ? platform::PromptIcon::Information : platform::PromptIcon::Warning);
}

std::map<QString, int> LanguageOrder()
{
    const LanguageTable* table = LanguageTable::Current();
    return table ? table->Priority() : std::map<QString, int>{};
}

} // namespace

CDlgStdInstall::CDlgStdInstall(QWidget* parent)
    : QDialog(parent),
      family_(new QComboBox(this)),
      internet_(new QRadioButton(Key("Internet"), this)),
      local_(new QRadioButton(Key("LocalDirectory"), this)),
      folder_(new QLineEdit(this)),
      browse_(new QPushButton(Translate(standards::TextBrowse), this)),
      list_(new QTreeWidget(this)),
      refresh_(new QPushButton(Key("Refresh"), this)),
      download_(new QPushButton(Key("Download"), this)),
      install_(new QPushButton(Translate(kTextInstall), this)),
      autoRefresh_(new QCheckBox(Key("AutoRefresh"), this)),
      status_(new QLabel(this)),
      progress_(new QProgressBar(this)),
      cancel_(new QPushButton(Translate(standards::TextCancel), this)),
      ok_(new QPushButton(Translate(kTextOk), this))
{
    setObjectName(QStringLiteral("StdInstallDlg"));
    setWindowTitle(Key("Standard_Installation"));

    family_->addItems({QStringLiteral("ECMA"), QStringLiteral("FEFCO"), QStringLiteral("TOP")});
    family_->setCurrentIndex(static_cast<int>(standards::PackageFamily::Fefco));
    auto* familyGroup = new QGroupBox(Key("Type"), this);
    auto* familyLayout = new QVBoxLayout(familyGroup);
    familyLayout->addWidget(family_);

    auto* sourceGroup = new QGroupBox(Key("Source"), this);
    auto* sourceLayout = new QGridLayout(sourceGroup);
    auto* sources = new QButtonGroup(this);
    sources->addButton(internet_);
    sources->addButton(local_);
    internet_->setChecked(true);
    folder_->setObjectName(QStringLiteral("LocalFolder"));
    sourceLayout->addWidget(internet_, 0, 0, 1, 3);
    sourceLayout->addWidget(local_, 1, 0);
    sourceLayout->addWidget(folder_, 1, 1);
    sourceLayout->addWidget(browse_, 1, 2);

    list_->setColumnCount(4);
    list_->setHeaderLabels({Key("Standard_Installation_No"), Key("Standard_Installation_Date"),
                            Key("Standard_Installation_Description"), QString()});
    for (int i = 0; i < 4; ++i)
        list_->setColumnWidth(i, kColumnWidths[i]);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setAllColumnsShowFocus(true);

    refresh_->setObjectName(QStringLiteral("Refresh"));
    download_->setObjectName(QStringLiteral("Download"));
    install_->setObjectName(QStringLiteral("Install"));
    cancel_->setObjectName(QStringLiteral("CancelWork"));
    ok_->setDefault(true);
    progress_->setTextVisible(false);

    auto* top = new QHBoxLayout;
    top->addWidget(familyGroup);
    top->addWidget(sourceGroup, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(refresh_);
    buttons->addWidget(autoRefresh_);
    buttons->addStretch(1);
    buttons->addWidget(download_);
    buttons->addWidget(install_);
    buttons->addWidget(ok_);
    auto* work = new QHBoxLayout;
    work->addWidget(status_, 1);
    work->addWidget(progress_, 1);
    work->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addLayout(work);
    layout->addLayout(buttons);
    resize(560, 420);

    connect(refresh_, &QPushButton::clicked, this, &CDlgStdInstall::OnRefresh);
    connect(download_, &QPushButton::clicked, this, &CDlgStdInstall::OnDownload);
    connect(install_, &QPushButton::clicked, this, &CDlgStdInstall::OnInstall);
    connect(browse_, &QPushButton::clicked, this, &CDlgStdInstall::OnBrowse);
    connect(cancel_, &QPushButton::clicked, this, &CDlgStdInstall::OnCancelWork);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(family_, &QComboBox::currentIndexChanged, this, &CDlgStdInstall::AutoRefresh);
    connect(sources, &QButtonGroup::buttonClicked, this, &CDlgStdInstall::AutoRefresh);
    SetBusy(false);
}

CDlgStdInstall::~CDlgStdInstall()
{
    if (worker_) {
        control_->cancel = true;
        worker_->wait();
        delete worker_;
    }
}

void CDlgStdInstall::reject()
{
    if (worker_) {
        OnCancelWork(); // the first Escape stops the work, not the dialog
        return;
    }
    QDialog::reject();
}

standards::PackageFamily CDlgStdInstall::PackageFamily() const
{
    return static_cast<standards::PackageFamily>(family_->currentIndex());
}

std::unique_ptr<standards::PackageSource> CDlgStdInstall::Source() const
{
    if (local_->isChecked())
        return std::make_unique<standards::LocalFolderSource>(folder_->text().trimmed());
    return std::make_unique<standards::FtpSource>(standards::ServerSettings::FromProfile());
}

std::vector<standards::PackageRow> CDlgStdInstall::SelectedRows() const
{
    std::vector<standards::PackageRow> rows;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        if (list_->topLevelItem(i)->isSelected() && i < static_cast<int>(rows_.size()))
            rows.push_back(rows_[static_cast<std::size_t>(i)]);
    }
    if (rows.empty())
        platform::ask(Translate(kTextNothingSelected), Key("Standard_Installation"));
    return rows;
}

void CDlgStdInstall::ShowRows(const std::vector<standards::PackageRow>& rows)
{
    rows_ = rows;
    list_->clear();
    for (const standards::PackageRow& row : rows_) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, row.number);
        item->setText(1, row.date);
        item->setText(2, row.description);
        item->setText(3, row.downloaded ? QStringLiteral("*") : QString());
    }
}

void CDlgStdInstall::OnRefresh()
{
    if (worker_)
        return;
    auto result = std::make_shared<standards::RefreshResult>();
    std::shared_ptr<standards::PackageSource> source = Source();
    const standards::PackageFamily family = PackageFamily();
    const QString packages = standards::PackagesFolder();
    const std::map<QString, int> order = LanguageOrder();
    Start(Translate(standards::TextListing),
          [=](TransferControl& control) {
              *result = standards::RefreshPackages(*source, family, packages, order, control);
              return result->issue;
          },
          [this, result] {
              if (result->issue.textId != standards::TextCancelled) // a cancelled one keeps the list
                  ShowRows(result->rows);
          });
}

void CDlgStdInstall::OnDownload()
{
    if (worker_)
        return;
    const std::vector<standards::PackageRow> rows = SelectedRows();
    if (rows.empty())
        return;
    std::shared_ptr<standards::PackageSource> source = Source();
    const QString packages = standards::PackagesFolder();
    Start(Translate(standards::TextDownloading),
          [=](TransferControl& control) { return standards::DownloadRows(*source, rows, packages, control); },
          [this] { QMetaObject::invokeMethod(this, &CDlgStdInstall::OnRefresh, Qt::QueuedConnection); });
}

void CDlgStdInstall::OnInstall()
{
    if (worker_)
        return;
    const std::vector<standards::PackageRow> rows = SelectedRows();
    if (rows.empty())
        return;
    // One package replaces the family: the first selected one.
    const PackageIssue issue = standards::InstallRow(rows.front(), standards::PackagesFolder(), standards::StandardsFolder());
    Show(issue ? issue : PackageIssue{standards::TextInstalled, rows.front().fileName, {}});
}

void CDlgStdInstall::OnBrowse()
{
    const QString picked = QFileDialog::getExistingDirectory(this, Key("SelectDirectory"), folder_->text());
    folder_->setText(picked);
    if (!picked.isEmpty())
        local_->setChecked(true);
}

void CDlgStdInstall::OnCancelWork()
{
    if (control_)
        control_->cancel = true;
    cancel_->setEnabled(false);
}

void CDlgStdInstall::AutoRefresh()
{
    if (autoRefresh_->isChecked())
        OnRefresh();
}

void CDlgStdInstall::Start(const QString& what, std::function<PackageIssue(TransferControl&)> job, std::function<void()> then)
{
    control_ = std::make_shared<TransferControl>();
    QPointer<QProgressBar> bar(progress_);
    control_->progress = [bar](qint64 done, qint64 total) {
        // On the worker thread: the bar is updated on the GUI thread.
        QMetaObject::invokeMethod(
            bar.data(),
            [bar, done, total] {
                if (!bar)
                    return;
                bar->setRange(0, total > 0 ? 1000 : 0);
                bar->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
            },
            Qt::QueuedConnection);
    };
    status_->setText(what);
    then_ = std::move(then);
    jobIssue_ = {};
    std::shared_ptr<TransferControl> control = control_;
    auto issue = std::make_shared<PackageIssue>();
    worker_ = QThread::create([job = std::move(job), control, issue] { *issue = job(*control); });
    connect(worker_, &QThread::finished, this, [this, issue] {
        jobIssue_ = *issue;
        Finish();
    });
    SetBusy(true);
    worker_->start();
}

void CDlgStdInstall::Finish()
{
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    control_.reset();
    SetBusy(false);
    status_->clear();
    std::function<void()> then = std::move(then_);
    then_ = nullptr;
    if (jobIssue_)
        Show(jobIssue_);
    // A refresh shows what it found; a download refreshes unless the source failed.
    if (then && (!jobIssue_ || jobIssue_.textId == standards::TextCancelled || jobIssue_.textId == standards::TextNoServer
                 || jobIssue_.textId == standards::TextListFailed || jobIssue_.textId == standards::TextFolderUnreadable))
        then();
    emit workFinished();
}

void CDlgStdInstall::SetBusy(bool busy)
{
    for (QWidget* control : std::initializer_list<QWidget*>{family_, internet_, local_, folder_, browse_, refresh_, download_,
                                                           install_, ok_})
        control->setEnabled(!busy);
    progress_->setVisible(busy);
    progress_->setRange(0, 0);
    cancel_->setVisible(busy);
    cancel_->setEnabled(busy);
}

} // namespace dlg
