#include "ExportDrawing.h"

#include "common/TempDir.h"
#include "exchange/export/ExportManager.h"
#include "exchange/export/ExportRun.h"
#include "exchange/hpgl/HpglReader.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <set>

namespace {

using Export::ExportTarget;
using exporttest::ExportDrawing;

class ScriptedUi : public Export::ExportRunUi {
public:
    QString ChooseFile(const QString& proposedPath, const QString& defaultExtension, const QString& fileFilter) override
    {
        proposals.push_back(proposedPath);
        extension = defaultExtension;
        filter = fileFilter;
        return answer;
    }
    void Warn(const QString& message) override { warnings.push_back(message); }

    QString answer;
    std::vector<QString> proposals;
    QString extension;
    QString filter;
    std::vector<QString> warnings;
};

std::unique_ptr<Export::exporter> Cf2(const std::function<void(Export::ExportSettings&)>& change = {})
{
    auto cf2 = Export::CreateExporter(QStringLiteral("cf2"));
    Export::ExportSettings settings = cf2->GetSettings();
    if (change)
        change(settings);
    cf2->SetSettings(settings);
    return cf2;
}

TEST(ExportTarget, ByPolicyAndPort)
{
    const struct {
        const char* name;
        int policy;
        int serial;
        QString answer;            // the dialog's answer
        ExportTarget::Kind kind;
        QString path;              // the target
        QString proposal;          // empty: no dialog
        QString dirAfter;
    } cases[] = {
        {"last folder", 0, -1, QStringLiteral("/picked/f.cf2"), ExportTarget::File, QStringLiteral("/picked/f.cf2"),
         QStringLiteral("/out/my box.n.cf2"), QStringLiteral("/picked/")},
        {"fixed folder", 1, -1, QStringLiteral("/picked/f.cf2"), ExportTarget::File, QStringLiteral("/picked/f.cf2"),
         QStringLiteral("/out/my box.n.cf2"), QStringLiteral("/out")},
        {"document folder", 2, 0, QStringLiteral("/d/f.cf2"), ExportTarget::File, QStringLiteral("/d/f.cf2"),
         QStringLiteral("/docs/my box.n.cf2"), QStringLiteral("/out")},
        {"document without a file", 2, -1, QStringLiteral("/d/f.cf2"), ExportTarget::File, QStringLiteral("/d/f.cf2"),
         QStringLiteral("my box.n.cf2"), QStringLiteral("/out")},
        {"cancelled", 2, -1, QString(), ExportTarget::Cancelled, QString(), QStringLiteral("/docs/my box.n.cf2"),
         QStringLiteral("/out")},
        {"hand to a program", 3, -1, QString(), ExportTarget::File, QStringLiteral("/tmp dir/my_box.n.cf2"), QString(),
         QStringLiteral("/out")},
        {"serial port whatever the policy", 3, 1, QString(), ExportTarget::SerialPort, QStringLiteral("/dev/ttyS1"),
         QString(), QStringLiteral("/out")},
    };
    test::ScopedTestEnvironment environment; // no serial device configured
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto cf2 = Cf2();
        Export::ExportSettings settings = cf2->GetSettings();
        settings.dir_policy = c.policy;
        settings.serial = c.serial;
        settings.dir = QStringLiteral("/out");
        Export::ExportJob job;
        job.title = QStringLiteral("my box.n");
        job.pathName = std::string_view(c.name) == "document without a file" ? QString() : QStringLiteral("/docs/my box.n");
        job.tempFolder = QStringLiteral("/tmp dir/");
        ScriptedUi ui;
        ui.answer = c.answer;
        const ExportTarget target = Export::ChooseExportTarget(settings, *cf2, job, ui);
        EXPECT_EQ(target.kind, c.kind);
        EXPECT_EQ(target.path, c.path);
        EXPECT_EQ(target.handOver, c.policy == 3 && c.serial != 1);
        EXPECT_EQ(ui.proposals, c.proposal.isEmpty() ? std::vector<QString>{} : std::vector<QString>{c.proposal});
        EXPECT_EQ(settings.dir, c.dirAfter);
        if (!c.proposal.isEmpty()) {
            EXPECT_EQ(ui.extension, QStringLiteral("cf2"));
            EXPECT_EQ(ui.filter, cf2->FileDialogFilter());
        }
    }
}

class ExportRun : public ::testing::Test {
protected:
    // A small die: two joined rules of type 1 (the second drawn backwards),
    // an arc of type 2, one replica, and a rule left out of the instances.
    void SetUp() override
    {
        Section& die = drawing.AddSection(QStringLiteral("Die,1"));
        ExportDrawing::Line(die, 0, 0, 40, 0, 1, 2.5)->SetNotInstanced(0);
        ExportDrawing::Line(die, 40, 30, 40, 0, 1)->SetNotInstanced(0);
        CElement* arc = ExportDrawing::Arc(die, 20, 20, 20, 25, 25, 20, 2);
        arc->SetNotInstanced(0);
        arc->SetPtg(3.0);
        ExportDrawing::Line(die, 0, 50, 10, 50, 1)->SetNotInstanced(1);
        die.NewInstance(100, 0, 90);
    }

    Export::ExportJob Job()
    {
        Export::ExportJob job;
        job.title = QStringLiteral("my box.n");
        job.pathName = dir.file(QStringLiteral("my box.n"));
        job.tempFolder = dir.file(QStringLiteral("tmp folder")) + QLatin1Char('/');
        job.source = drawing.Source();
        job.setDisplayMode = [this](int mode) {
            modes.push_back(mode);
            drawing.Show(mode);
        };
        return job;
    }

    // An exporter of the type writing into the fixed folder dir.
    std::unique_ptr<Export::exporter> IntoFolder(const char* type)
    {
        auto configured = Export::CreateExporter(QLatin1String(type));
        Export::ExportSettings settings = configured->GetSettings();
        settings.dir_policy = 1;
        settings.dir = dir.path();
        configured->SetSettings(settings);
        return configured;
    }

    test::ScopedTestEnvironment environment;
    test::TempDir dir;
    ExportDrawing drawing;
    ScriptedUi ui;
    std::vector<int> modes;
};

TEST_F(ExportRun, SmallDieAsCf2)
{
    auto cf2 = Cf2([&](Export::ExportSettings& s) {
        s.dir_policy = 1;
        s.dir = dir.path();
    });
    ui.answer = dir.file(QStringLiteral("small.cf2"));
    ASSERT_TRUE(Export::RunExport(*cf2, Job(), ui));
    EXPECT_TRUE(ui.warnings.empty());
    EXPECT_EQ(modes, std::vector<int>{0});
    QFile expected(QStringLiteral(MORVEK_TEST_DATA_DIR "/export/small.cf2"));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(dir.read(QStringLiteral("small.cf2")), expected.readAll());
}

TEST_F(ExportRun, DisplayModeByExportMode)
{
    const int expected[] = {0, 1, 1, 2, 0};
    for (int mode = 0; mode < 5; ++mode)
        EXPECT_EQ(Export::DisplayModeForExport(mode), expected[mode]) << mode;
}

TEST_F(ExportRun, SerialPortIgnoresThePolicyAndTheProgram)
{
    const QString device = dir.file(QStringLiteral("port"));
    ASSERT_TRUE(platform::Registry::writeString(QStringLiteral("Export"), QStringLiteral("SerialDevice"), device));
    auto cf2 = Cf2([&](Export::ExportSettings& s) {
        s.serial = 1;
        s.dir_policy = 3;
        s.send_to = QStringLiteral("touch ran; :");
    });
    ASSERT_TRUE(Export::RunExport(*cf2, Job(), ui));
    EXPECT_TRUE(ui.proposals.empty());
    EXPECT_TRUE(dir.read(QStringLiteral("port")).contains("MAIN,COM2\r\n"));
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("tmp folder"))));
}

TEST_F(ExportRun, FaultsAreTold)
{
    // A folder that is not there: nothing is prepared.
    auto cf2 = Cf2([](Export::ExportSettings& s) { s.dir_policy = 1; });
    ui.answer = dir.file(QStringLiteral("missing/out.cf2"));
    EXPECT_FALSE(Export::RunExport(*cf2, Job(), ui));
    EXPECT_EQ(ui.warnings, std::vector<QString>{QStringLiteral("Cannot create file")});
    EXPECT_TRUE(modes.empty());

    // A port that cannot be opened.
    ASSERT_TRUE(platform::Registry::writeString(QStringLiteral("Export"), QStringLiteral("SerialDevice"),
                                                dir.file(QStringLiteral("no/port"))));
    auto serial = Cf2([](Export::ExportSettings& s) { s.serial = 1; });
    ui.warnings.clear();
    EXPECT_FALSE(Export::RunExport(*serial, Job(), ui));
    EXPECT_EQ(ui.warnings, std::vector<QString>{QStringLiteral("Open Port")});

    // Cancelling does nothing at all.
    ui.warnings.clear();
    ui.answer.clear();
    EXPECT_FALSE(Export::RunExport(*cf2, Job(), ui));
    EXPECT_TRUE(ui.warnings.empty());
}

TEST_F(ExportRun, SmallDieInTheOlderLayout)
{
    auto oldn = IntoFolder("oldn");
    ui.answer = dir.file(QStringLiteral("small.n"));
    ASSERT_TRUE(Export::RunExport(*oldn, Job(), ui));
    EXPECT_TRUE(ui.warnings.empty());
    EXPECT_EQ(ui.extension, QStringLiteral("n"));
    QFile expected(QStringLiteral(MORVEK_TEST_DATA_DIR "/export/small.n"));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(dir.read(QStringLiteral("small.n")), expected.readAll());
}

// The Wild format has no arcs: the small die's arc goes out as chords, and
// the run says so once the file is written.
TEST_F(ExportRun, WildTellsThatArcsWentOutAsChords)
{
    auto wild = IntoFolder("wild");
    ui.answer = dir.file(QStringLiteral("small.plt"));
    ASSERT_TRUE(Export::RunExport(*wild, Job(), ui));
    ASSERT_EQ(ui.warnings.size(), 1u);
    EXPECT_TRUE(ui.warnings[0].contains(QLatin1String("chords"))) << ui.warnings[0].toStdString();
    EXPECT_TRUE(dir.read(QStringLiteral("small.plt")).contains("\r\nD"));
}

TEST_F(ExportRun, LastFolderIsKept)
{
    auto cf2 = Cf2([](Export::ExportSettings& s) { s.dir_policy = 0; });
    ui.answer = dir.file(QStringLiteral("out.cf2"));
    ASSERT_TRUE(Export::RunExport(*cf2, Job(), ui));
    EXPECT_EQ(cf2->GetSettings().dir, dir.path() + QLatin1Char('/'));
}

TEST_F(ExportRun, HandedToTheProgramWithThePathAsOneArgument)
{
    auto cf2 = Cf2([](Export::ExportSettings& s) {
        s.dir_policy = 3;
        // A program that copies its first argument into the folder it runs in.
        s.send_to = QStringLiteral("sh -c 'cp -- \"$0\" handed.cf2'");
    });
    ASSERT_TRUE(Export::RunExport(*cf2, Job(), ui));
    EXPECT_TRUE(ui.warnings.empty());
    const QString written = dir.file(QStringLiteral("tmp folder/my_box.n.cf2"));
    EXPECT_TRUE(QFileInfo::exists(written));
    const QString handed = dir.file(QStringLiteral("tmp folder/handed.cf2"));
    for (int i = 0; i < 200 && !QFileInfo::exists(handed); ++i)
        QThread::msleep(25); // the program runs on its own
    EXPECT_EQ(dir.read(QStringLiteral("tmp folder/handed.cf2")), dir.read(QStringLiteral("tmp folder/my_box.n.cf2")));
}

TEST_F(ExportRun, NoProgramNamedIsToldAndTheFileStays)
{
    auto cf2 = Cf2([](Export::ExportSettings& s) { s.dir_policy = 3; });
    EXPECT_FALSE(Export::RunExport(*cf2, Job(), ui));
    EXPECT_EQ(ui.warnings, std::vector<QString>{QStringLiteral("No program is set to take the exported file.")});
    EXPECT_TRUE(QFileInfo::exists(dir.file(QStringLiteral("tmp folder/my_box.n.cf2"))));
}

// A fresh install: each shipped exporter writes the small die, the CF2 and
// old-n ones exactly as their writers' fixtures, the HP-GL one a file the
// HP-GL reader takes, the Wild one its plot.
TEST_F(ExportRun, EachFactoryExporterWritesTheSmallDie)
{
    Export::ExportManager manager;
    manager.Load(QStringLiteral(MORVEK_SOURCE_DIR "/Defaults/output.ini"), QString());
    const struct {
        const char* type;
        const char* file;
        const char* fixture; // null: checked below
    } cases[] = {{"cf2", "small.cf2", "small.cf2"}, {"oldn", "small.n", "small.n"}, {"hpgl", "small.hpgl", nullptr},
                 {"wild", "small.plt", nullptr}};
    std::set<QString> ran;
    for (Export::exporter* shipped : manager.GetEnabledExporters()) {
        const auto c = std::find_if(std::begin(cases), std::end(cases),
                                    [&](const auto& row) { return shipped->TypeName() == QLatin1String(row.type); });
        ASSERT_NE(c, std::end(cases)) << shipped->TypeName().toStdString();
        SCOPED_TRACE(c->type);
        ran.insert(shipped->TypeName());
        ui.answer = dir.file(QLatin1String(c->file));
        ASSERT_TRUE(Export::RunExport(*shipped, Job(), ui));
        const QByteArray written = dir.read(QLatin1String(c->file));
        if (c->fixture) {
            QFile expected(QStringLiteral(MORVEK_TEST_DATA_DIR "/export/") + QLatin1String(c->fixture));
            ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
            EXPECT_EQ(written, expected.readAll());
        } else if (shipped->TypeName() == QLatin1String("hpgl")) {
            std::vector<hpgl::Line> lines;
            QString error;
            EXPECT_TRUE(hpgl::HpglReader::Read(written, lines, &error)) << error.toStdString();
            EXPECT_FALSE(lines.empty());
        } else {
            EXPECT_TRUE(written.contains("\r\nD"));
        }
    }
    EXPECT_EQ(ran.size(), 4u);
}

TEST(ExportBytes, OneByteACharacterAndCrLf)
{
    EXPECT_EQ(Export::ExportBytes(QStringLiteral("T\u00e4\n\u20ac\u4e00\n")), QByteArray("T\xe4\r\n\x80?\r\n"));
}

} // namespace
