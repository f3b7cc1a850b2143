// Listing and downloading from a local FTP server the test starts itself
// (see common/PackageTestSupport.h); no test reaches any other host.
#include "standards/FtpSource.h"
#include "standards/PackageListing.h"
#include "standards/PackageSource.h"

#include "common/PackageTestSupport.h"
#include "common/TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace standards;

namespace {

const QString kPackage = QStringLiteral("F-03-01-080222.zip");

// Counts the fetches of another source.
class CountingSource : public PackageSource {
public:
    explicit CountingSource(PackageSource& inner) : inner_(inner) {}
    PackageIssue List(QStringList& names, TransferControl& control) override { return inner_.List(names, control); }
    PackageIssue Fetch(const QString& name, QIODevice& out, TransferControl& control) override
    {
        ++fetches;
        return inner_.Fetch(name, out, control);
    }
    int fetches = 0;

private:
    PackageSource& inner_;
};

class PackageDownloadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Big enough to arrive in several pieces.
        ASSERT_TRUE(test::MakeGoodPackage(root.file(QStringLiteral("server/") + kPackage), QStringLiteral("FEFCO"),
                                          QStringLiteral("3"), QStringLiteral("%random:300000")));
        root.write(QStringLiteral("server/readme.txt"), "not a package");
        root.write(QStringLiteral("server/f-04-01-080222.zip"), "lower case");
    }
    ServerSettings Settings(const test::FtpTestServer& server) const
    {
        ServerSettings settings;
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = server.port();
        settings.user = test::FtpTestServer::user();
        settings.password = test::FtpTestServer::password();
        settings.caFile = server.certificate();
        return settings;
    }
    QString Packages() const { return root.file(QStringLiteral("packages/")); }
    QStringList PackagesFolderFiles() const { return QDir(Packages()).entryList(QDir::Files | QDir::Hidden); }

    test::TempDir root;
};

} // namespace

TEST_F(PackageDownloadTest, FtpsListsDownloadsOnceAndTheRowIsMarked)
{
    test::FtpTestServer server(root.file(QStringLiteral("server")), root.path(), test::FtpTestServer::Mode::Tls);
    ASSERT_TRUE(server.running());
    FtpSource ftp(Settings(server));
    TransferControl control;
    QStringList names;
    const PackageIssue listed = ftp.List(names, control);
    ASSERT_EQ(listed.textId, 0) << listed.second.toStdString();
    names.sort();
    EXPECT_EQ(names, QStringList({kPackage, QStringLiteral("f-04-01-080222.zip"), QStringLiteral("readme.txt")}));
    auto rows = ListPackages(PackageFamily::Fefco, names, Packages(), {});
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_FALSE(rows[0].downloaded);

    CountingSource counting(ftp);
    ASSERT_EQ(DownloadPackage(counting, kPackage, Packages(), control).textId, 0);
    EXPECT_EQ(root.read(QStringLiteral("packages/") + kPackage), root.read(QStringLiteral("server/") + kPackage));
    rows = ListPackages(PackageFamily::Fefco, names, Packages(), {});
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_TRUE(rows[0].downloaded);
    EXPECT_EQ(rows[0].description, QStringLiteral("Boxes"));

    // Present: not fetched again.
    ASSERT_EQ(DownloadPackage(counting, kPackage, Packages(), control).textId, 0);
    EXPECT_EQ(counting.fetches, 1);
}

TEST_F(PackageDownloadTest, PlainFtpWhenConfigured)
{
    test::FtpTestServer server(root.file(QStringLiteral("server")), root.path(), test::FtpTestServer::Mode::Plain);
    ASSERT_TRUE(server.running());
    ServerSettings settings = Settings(server);
    TransferControl control;
    QStringList names;
    // TLS is required unless the settings say otherwise.
    EXPECT_EQ(FtpSource(settings).List(names, control).textId, TextListFailed);
    settings.plainFtp = true;
    FtpSource ftp(settings);
    ASSERT_EQ(ftp.List(names, control).textId, 0);
    EXPECT_TRUE(names.contains(kPackage));
    ASSERT_EQ(DownloadPackage(ftp, kPackage, Packages(), control).textId, 0);
    EXPECT_TRUE(QFile::exists(Packages() + kPackage));
}

TEST_F(PackageDownloadTest, UntrustedCertificateOrWrongPasswordFailsWithoutNamingThePassword)
{
    test::FtpTestServer server(root.file(QStringLiteral("server")), root.path(), test::FtpTestServer::Mode::Tls);
    ASSERT_TRUE(server.running());
    TransferControl control;
    QStringList names;
    ServerSettings untrusted = Settings(server);
    untrusted.caFile = root.write(QStringLiteral("other-ca.pem"), "");
    EXPECT_EQ(FtpSource(untrusted).List(names, control).textId, TextListFailed);

    ServerSettings wrong = Settings(server);
    wrong.password = QStringLiteral("wrong-password-xyz");
    const PackageIssue issue = FtpSource(wrong).List(names, control);
    EXPECT_EQ(issue.textId, TextListFailed);
    EXPECT_FALSE(issue.second.contains(wrong.password));
    EXPECT_TRUE(PackagesFolderFiles().isEmpty());
}

TEST_F(PackageDownloadTest, CancelledHalfwayLeavesNoFile)
{
    test::FtpTestServer server(root.file(QStringLiteral("server")), root.path(), test::FtpTestServer::Mode::Tls, kPackage);
    ASSERT_TRUE(server.running());
    FtpSource ftp(Settings(server));
    const qint64 half = root.read(QStringLiteral("server/") + kPackage).size() / 2;
    TransferControl control;
    qint64 seen = 0;
    control.progress = [&](qint64 done, qint64) {
        seen = std::max(seen, done);
        if (done >= half)
            control.cancel = true;
    };
    EXPECT_EQ(DownloadPackage(ftp, kPackage, Packages(), control).textId, TextCancelled);
    server.Release();
    EXPECT_GE(seen, half);
    EXPECT_TRUE(PackagesFolderFiles().isEmpty());
}

TEST_F(PackageDownloadTest, WithoutServerTheInternetSourceSaysSoAndALocalFolderWorks)
{
    TransferControl control;
    QStringList names;
    FtpSource none{ServerSettings{}};
    EXPECT_EQ(none.List(names, control).textId, TextNoServer);
    EXPECT_EQ(DownloadPackage(none, kPackage, Packages(), control).textId, TextNoServer);
    EXPECT_TRUE(PackagesFolderFiles().isEmpty());

    LocalFolderSource local(root.file(QStringLiteral("server")));
    ASSERT_EQ(local.List(names, control).textId, 0);
    EXPECT_EQ(ListPackages(PackageFamily::Fefco, names, Packages(), {}).size(), 1U);
    ASSERT_EQ(DownloadPackage(local, kPackage, Packages(), control).textId, 0);
    EXPECT_EQ(PackagesFolderFiles(), QStringList{kPackage});
    EXPECT_EQ(LocalFolderSource(root.file(QStringLiteral("missing"))).List(names, control).textId, TextFolderUnreadable);
}
