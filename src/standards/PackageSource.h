#pragma once
// Where packages come from: the standards server or a local folder. Both
// list their file names and copy one package into a file; the installer
// calls them off the GUI thread, with a transfer control through which the
// dialog sees the progress and asks to cancel.
#include "standards/PackageIssue.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

class QIODevice;

namespace standards {

struct TransferControl {
    // Bytes done and expected (0 when not known); called on the worker
    // thread.
    std::function<void(qint64 done, qint64 total)> progress;
    std::atomic<bool> cancel{false};

    bool Cancelled() const { return cancel.load(); }
    void Report(qint64 done, qint64 total) const
    {
        if (progress)
            progress(done, total);
    }
};

class PackageSource {
public:
    virtual ~PackageSource() = default;
    // Every file name the source holds (not only packages).
    virtual PackageIssue List(QStringList& names, TransferControl& control) = 0;
    // Writes the package of that bare name to out; an issue (TextCancelled
    // when the control was cancelled) when it did not arrive whole.
    virtual PackageIssue Fetch(const QString& fileName, QIODevice& out, TransferControl& control) = 0;
};

// A folder on this computer or the network.
class LocalFolderSource : public PackageSource {
public:
    explicit LocalFolderSource(QString folder) : folder_(std::move(folder)) {}
    PackageIssue List(QStringList& names, TransferControl& control) override;
    PackageIssue Fetch(const QString& fileName, QIODevice& out, TransferControl& control) override;

private:
    QString folder_;
};

// Fetches the package of that bare name into the packages folder (ending in
// '/'), unless a file of that name is there already (nothing is fetched
// again). The file appears under the package's name only once all of it
// arrived: a cancelled or failed transfer leaves none.
PackageIssue DownloadPackage(PackageSource& source, const QString& fileName, const QString& packagesFolder,
                             TransferControl& control);

} // namespace standards
