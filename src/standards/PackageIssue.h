#pragma once
// Why a package cannot be listed, fetched or installed: a text id of the
// language files with up to two values for its "%1" and "%2".
#include <QString>

namespace standards {

// The installer's texts.
enum PackageText : int {
    TextFetchFailed = 3050,      // "Error while getting file from the internet."
    TextNoServer = 3051,
    TextNotDownloaded = 3052,
    TextNotArchive = 3053,
    TextNoManifest = 3054,
    TextManifestMismatch = 3055,
    TextItemOutside = 3056,
    TextItemTooLarge = 3057,
    TextUnpackFailed = 3058,
    TextIncomplete = 3059,
    TextSwapFailed = 3060,
    TextInstalled = 3061,
    TextListFailed = 3062,
    TextCancelled = 3063,
    TextDownloading = 3064,
    TextListing = 3065,
    TextFolderUnreadable = 3066,
    TextCopyFailed = 3067,
    TextCancel = 3068,
    TextBrowse = 3069,
    TextNotAPackage = 3071,
};

struct PackageIssue {
    int textId = 0; // 0: no issue
    QString first;  // %1
    QString second; // %2

    explicit operator bool() const { return textId != 0; }
};

// The issue's text in the user's language.
QString IssueText(const PackageIssue& issue);

} // namespace standards
