#pragma once
// Standard packages and a local FTP server for the installer's tests. The
// zips are built by Python's zipfile (make_package.py), the server is
// pyftpdlib on 127.0.0.1 at a free port (ftp_server.py), serving FTPS with a
// certificate made here by the openssl tool, or plain FTP. The server runs
// as long as the object lives.
#include "platform/Registry.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace test {

// Debian's Python, which has the packages scripts/setup.sh installs.
inline QString Python()
{
    return QStringLiteral("/usr/bin/python3");
}

inline QString ToolPath(const char* name)
{
    return QStringLiteral(MORVEK_SOURCE_DIR "/tests/common/") + QLatin1String(name);
}

// Writes a zip at path holding name=text items ("\n" in a text is a line
// break); true when it was written.
inline bool MakeZip(const QString& path, const QStringList& items)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QProcess zip;
    zip.start(Python(), QStringList{ToolPath("make_package.py"), path} + items);
    return zip.waitForFinished(30000) && zip.exitStatus() == QProcess::NormalExit && zip.exitCode() == 0;
}

// The manifest item of a package.
inline QString ManifestItem(const QString& revision, int fileVersion, const QString& description = QStringLiteral("Boxes"))
{
    return QStringLiteral("manifest.ini=[standard]\\nfileversion=%1\\nrevision=%2\\ntype=full\\n[description]\\nENG=%3\\nGER=%3 (de)\\n")
        .arg(fileVersion)
        .arg(revision, description);
}

// A good package of the family folder ("FEFCO", "ECMA", "TOP"): the
// manifest, a drawing in the folder and, but for TOP, the catalogue.
inline bool MakeGoodPackage(const QString& path, const QString& family, const QString& revision, const QString& marker)
{
    QStringList items{ManifestItem(revision, 15), family + QStringLiteral("/box.n=") + marker};
    if (family != QLatin1String("TOP"))
        items << family + QStringLiteral(".sif=") + marker;
    return MakeZip(path, items);
}

class FtpTestServer {
public:
    enum class Mode { Tls, Plain };

    // stall: a file name sent only half until Release().
    FtpTestServer(const QString& root, const QString& workFolder, Mode mode, const QString& stall = QString())
    {
        QStringList args{ToolPath("ftp_server.py"), root, QStringLiteral("--user"), user(), QStringLiteral("--password"),
                         password()};
        if (mode == Mode::Tls) {
            certificate_ = workFolder + QStringLiteral("/server-cert.pem");
            const QString key = workFolder + QStringLiteral("/server-key.pem");
            QProcess openssl;
            openssl.start(QStringLiteral("openssl"),
                          {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                           QStringLiteral("-nodes"), QStringLiteral("-keyout"), key, QStringLiteral("-out"), certificate_,
                           QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                           QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1")});
            if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0)
                return;
            args << QStringLiteral("--cert") << certificate_ << QStringLiteral("--key") << key;
        }
        if (!stall.isEmpty()) {
            release_ = workFolder + QStringLiteral("/release.fifo");
            if (mkfifo(QFile::encodeName(release_).constData(), 0600) != 0)
                return;
            args << QStringLiteral("--stall") << stall << QStringLiteral("--release") << release_;
        }
        server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server_.start(Python(), args);
        // The server prints its port once it listens.
        while (server_.waitForReadyRead(30000)) {
            const QByteArray line = server_.readLine().trimmed();
            if (line.startsWith("PORT ")) {
                port_ = line.mid(5).toInt();
                break;
            }
        }
    }
    ~FtpTestServer()
    {
        Release();
        server_.kill();
        server_.waitForFinished(10000);
    }
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    bool running() const { return port_ > 0; }
    int port() const { return port_; }
    QString certificate() const { return certificate_; }
    static QString user() { return QStringLiteral("tester"); }
    static QString password() { return QStringLiteral("s3cret-pw"); }

    // Lets a stalled transfer end (the release never blocks: the FIFO is
    // opened for reading and writing).
    void Release()
    {
        if (release_.isEmpty())
            return;
        const int fd = ::open(QFile::encodeName(release_).constData(), O_RDWR | O_NONBLOCK);
        if (fd >= 0) {
            (void)::write(fd, "x", 1);
            ::close(fd);
        }
        release_.clear();
    }

    // Points the user's standards server settings (the registry profile) at
    // this server; false when they could not be written.
    bool WriteServerSettings() const
    {
        using platform::Registry;
        const QString section = QStringLiteral("StandardsServer");
        return Registry::writeString(section, QStringLiteral("Host"), QStringLiteral("127.0.0.1"))
               && Registry::writeInt(section, QStringLiteral("Port"), port_)
               && Registry::writeString(section, QStringLiteral("User"), user())
               && Registry::writeString(section, QStringLiteral("Password"), password())
               && Registry::writeString(section, QStringLiteral("CaFile"), certificate_);
    }

private:
    QProcess server_;
    QString certificate_;
    QString release_;
    int port_ = 0;
};

} // namespace test
