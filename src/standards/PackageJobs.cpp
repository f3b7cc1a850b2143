#include "standards/PackageJobs.h"

#include "standards/PackageInstall.h"

namespace standards {

RefreshResult RefreshPackages(PackageSource& source, PackageFamily family, const QString& packagesFolder,
                              const std::map<QString, int>& order, TransferControl& control)
{
    RefreshResult result;
    QStringList names;
    result.issue = source.List(names, control);
    // Without the source the packages already fetched still show.
    if (result.issue.textId != TextCancelled)
        result.rows = ListPackages(family, names, packagesFolder, order);
    return result;
}

PackageIssue DownloadRows(PackageSource& source, const std::vector<PackageRow>& rows, const QString& packagesFolder,
                          TransferControl& control)
{
    for (const PackageRow& row : rows) {
        if (row.downloaded)
            continue;
        if (PackageIssue issue = DownloadPackage(source, row.fileName, packagesFolder, control))
            return issue;
    }
    return {};
}

PackageIssue InstallRow(const PackageRow& row, const QString& packagesFolder, const QString& standardsFolder)
{
    return InstallPackage(row.downloaded ? row.localPath : packagesFolder + row.fileName, standardsFolder);
}

} // namespace standards
