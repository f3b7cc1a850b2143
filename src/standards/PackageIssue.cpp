#include "standards/PackageIssue.h"

#include "options/LanguageTable.h"

namespace standards {

QString IssueText(const PackageIssue& issue)
{
    QString text = Translate(issue.textId);
    if (text.contains(QLatin1String("%2")))
        return text.arg(issue.first, issue.second);
    if (text.contains(QLatin1String("%1")))
        return text.arg(issue.first);
    return text;
}

} // namespace standards
