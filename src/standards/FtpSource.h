#pragma once
// The standards server as a package source, over FTP through libcurl:
// passive mode, explicit TLS required and the server's certificate and name
// verified unless the settings ask for plain FTP. The password goes to the
// library only, never into a URL, a message or a log; no user agent is sent.
// A transfer that stalls for a minute ends; the control's cancel ends it at
// once.
#include "standards/PackageSource.h"
#include "standards/ServerSettings.h"

namespace standards {

class FtpSource : public PackageSource {
public:
    explicit FtpSource(ServerSettings settings) : settings_(std::move(settings)) {}
    // TextNoServer when no server is configured.
    PackageIssue List(QStringList& names, TransferControl& control) override;
    PackageIssue Fetch(const QString& fileName, QIODevice& out, TransferControl& control) override;

private:
    ServerSettings settings_;
};

} // namespace standards
