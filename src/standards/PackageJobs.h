#pragma once
// The installer's work, one call per button, for the dialog to run off the
// GUI thread (Refresh, Download) or on it (Install).
#include "standards/PackageIssue.h"
#include "standards/PackageListing.h"
#include "standards/PackageSource.h"

#include <map>
#include <vector>

namespace standards {

struct RefreshResult {
    PackageIssue issue; // the source could not be listed: the rows are the packages folder's
    std::vector<PackageRow> rows; // empty when cancelled
};

// Lists the source and the packages folder (ending in '/'); the packages
// folder alone when the source cannot be listed.
RefreshResult RefreshPackages(PackageSource& source, PackageFamily family, const QString& packagesFolder,
                              const std::map<QString, int>& order, TransferControl& control);

// Fetches the rows not yet in the packages folder, in order; stops at the
// first issue.
PackageIssue DownloadRows(PackageSource& source, const std::vector<PackageRow>& rows, const QString& packagesFolder,
                          TransferControl& control);

// Installs the row's package from the packages folder into the standards
// folder (TextNotDownloaded for a row known only from the source).
PackageIssue InstallRow(const PackageRow& row, const QString& packagesFolder, const QString& standardsFolder);

} // namespace standards
