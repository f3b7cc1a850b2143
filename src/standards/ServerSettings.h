#pragma once
// The standards server, from the user's registry profile (section
// "StandardsServer"; see platform::Registry for where the profile lives):
//   Host      the server's name or address; empty (the default): no server
//   Port      21
//   User      "anonymous"
//   Password  empty; never logged or shown
//   PlainFtp  0: FTP over explicit TLS with the certificate verified; 1:
//             plain FTP
//   CaFile    a file of trusted certificates (PEM) to verify the server
//             with instead of the system's; empty (the default): the
//             system's
// Packages lie in the folder the login opens.
#include <QString>

namespace standards {

struct ServerSettings {
    QString host;
    int port = 21;
    QString user = QStringLiteral("anonymous");
    QString password;
    bool plainFtp = false;
    QString caFile;

    bool Configured() const { return !host.trimmed().isEmpty(); }

    static ServerSettings FromProfile();
};

} // namespace standards
