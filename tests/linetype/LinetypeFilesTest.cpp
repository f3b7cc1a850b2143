#include "display/DisplayList.h"
#include "linetype/LinetypeTable.h"
#include "platform/Prompt.h"

#include "common/TempDir.h"
#include "common/DisplayTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using platform::rgb;

class LinetypeFilesTest : public testing::Test {
protected:
    LinetypeFilesTest()
    {
        displaytest::RegisterSpecialNames(table);
    }

    void WriteDefaults(const QByteArray& text) { env.dir().write(QStringLiteral("app/Defaults/linetypes.ini"), text); }
    void WriteUser(const QByteArray& text) { env.dir().write(QStringLiteral("app/Config/linetypes.cfg"), text); }
    QString UserPath() const { return env.dir().file(QStringLiteral("app/Config/linetypes.cfg")); }
    QByteArray UserFile() const { return env.dir().read(QStringLiteral("app/Config/linetypes.cfg")); }

    test::ScopedTestEnvironment env;
    LinetypeTable table;
};

const QByteArray kFactory = "[1]\n"
                            "name=Cut\n"
                            "color=#FF0000\n"
                            "\n"
                            "[3]\n"
                            "name=Crease\n"
                            "width=2\n"
                            "color=#00ff00\n"
                            "[5]\n"
                            "name=Perforation\n"
                            "style=dash\n"
                            "[8]\n"
                            "name=Wave\n"
                            "type=wave\n"
                            "subtype_1=1\n"
                            "data_1=4\n"
                            "data_2=1.125\n"
                            "[Highlight]\n"
                            "color=#FFFF00\n"
                            "[selected]\n"
                            "color=#FF0000\n";

TEST_F(LinetypeFilesTest, FactorySectionsFillInTheDefaults)
{
    WriteDefaults("[1]\ncolor=#FF0000\n[7]\ntype=Tear\nstyle=DashDot\ndata_1=5\ndata_2=2\ndata_3=45\nsubtype_1=1\n");
    table.Load();
    const Linetype* cut = table.Find(1);
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->kind, LinetypeKind::Standard);
    EXPECT_EQ(cut->style, LinetypeStyle::Solid);
    EXPECT_EQ(cut->width, 1);
    EXPECT_EQ(cut->colour, rgb(255, 0, 0));
    EXPECT_EQ(cut->name, QStringLiteral("1"));
    EXPECT_EQ(cut->subtype1, -1);
    const Linetype* tear = table.Find(7);
    ASSERT_NE(tear, nullptr);
    EXPECT_EQ(tear->kind, LinetypeKind::Tear);
    EXPECT_EQ(tear->style, LinetypeStyle::DashDot);
    EXPECT_EQ(tear->data3, 45.0);
    EXPECT_EQ(tear->subtype1, 1);
    EXPECT_TRUE(tear->selectedPen.has_value());
    ASSERT_NE(table.FindDefault(7), nullptr);
    EXPECT_FALSE(table.FindDefault(7)->normalPen.has_value());
}

TEST_F(LinetypeFilesTest, SpecialLineTypesAreReadOnlyUnderTheirNames)
{
    WriteDefaults("[HighLight]\ncolor=#FFFF00\nname=Hi\n[1000]\ncolor=#0000FF\n[-4]\nname=x\n[nosuchname]\nname=y\n[0]\nname=zero\n");
    table.Load();
    const Linetype* highlight = table.Find(SpecialLinetype::Highlight);
    ASSERT_NE(highlight, nullptr);
    EXPECT_EQ(highlight->colour, rgb(255, 255, 0));
    EXPECT_EQ(highlight->kind, LinetypeKind::Display);
    ASSERT_NE(highlight->symbolic, nullptr);
    EXPECT_EQ(highlight->symbolic->name, QStringLiteral("highlight"));
    ASSERT_NE(table.Find(0), nullptr);
    EXPECT_EQ(table.Find(0)->name, QStringLiteral("zero"));
    EXPECT_EQ(std::distance(table.LinetypesBegin(), table.LinetypesEnd()), 2);
}

TEST_F(LinetypeFilesTest, UserSectionChangesOnlyWhatItNamesAndIsSavedAsThatDifference)
{
    WriteDefaults(kFactory);
    WriteUser("[1]\nwidth=3\n[8]\ndata_2=2.5\n");
    table.Load();
    const Linetype* cut = table.Find(1);
    EXPECT_EQ(cut->width, 3);
    EXPECT_EQ(cut->colour, rgb(255, 0, 0));
    EXPECT_EQ(cut->name, QStringLiteral("Cut"));
    const Linetype* wave = table.Find(8);
    EXPECT_EQ(wave->kind, LinetypeKind::Wave);
    EXPECT_EQ(wave->subtype1, 1);
    EXPECT_EQ(wave->data1, 4.0);
    EXPECT_EQ(wave->data2, 2.5);

    table.SetCurrent(1);
    table.SetCurrentName(QStringLiteral("Cut")); // unchanged: still the same difference
    QFile::remove(UserPath());
    table.SetCurrent(3);
    table.SetCurrentName(QStringLiteral("Crease rule"));
    ASSERT_TRUE(table.Save());
    EXPECT_EQ(UserFile(), QByteArray("[1]\n width=3\n\n"
                                     "[3]\n name=Crease rule\n\n"
                                     "[8]\n data_2=2.50\n\n"));
}

TEST_F(LinetypeFilesTest, DeletedFactoryLineTypesStayDeleted)
{
    WriteDefaults(kFactory);
    WriteUser("[5]\ndeleted=1\n");
    table.Load();
    EXPECT_EQ(table.Find(5), nullptr);
    table.SetCurrent(1);
    table.SetCurrentName(QStringLiteral("Knife"));
    ASSERT_TRUE(table.Save());
    EXPECT_EQ(UserFile(), QByteArray("[1]\n name=Knife\n\n[5]\n deleted=1\n\n"));
    table.Load();
    EXPECT_EQ(table.Find(5), nullptr);
    EXPECT_EQ(table.Find(1)->name, QStringLiteral("Knife"));
}

TEST_F(LinetypeFilesTest, NewAndRetypedLineTypesAreWrittenWhole)
{
    WriteDefaults(kFactory);
    table.Load();
    table.AddLinetype(20, LinetypeStyle::Dot, 2, rgb(1, 2, 3));
    table.SetCurrentTypeAndSubtypes(LinetypeKind::Mixed, 1, 3);
    table.SetCurrentData(2, 1, 0);
    table.SetCurrentName(QStringLiteral("Mixed"));
    table.SetCurrent(5);
    table.SetCurrentTypeAndSubtypes(LinetypeKind::Tear, 1, -1);
    table.SetCurrentData(5, 2, 30);
    table.SetCurrent(SpecialLinetype::Highlight);
    table.SetCurrentName(QStringLiteral("Hover"));
    ASSERT_TRUE(table.Save());
    EXPECT_EQ(UserFile(), QByteArray("[5]\n type=tear\n subtype_1=1\n data_1=5.00\n data_2=2.00\n data_3=30.00\n\n"
                                     "[20]\n name=Mixed\n style=dot\n width=2\n color=#010203\n type=mixed\n"
                                     " subtype_1=1\n subtype_2=3\n data_1=2.00\n data_2=1.00\n\n"
                                     "[highlight]\n name=Hover\n\n"));
    LinetypeTable again;
    displaytest::RegisterSpecialNames(again);
    again.Load();
    for (int number : {5, 20, SpecialLinetype::Highlight})
        EXPECT_TRUE(again.Find(number)->SameValues(*table.Find(number))) << number;
}

// Data values keep every decimal they were read or set with.
TEST_F(LinetypeFilesTest, DataValuesKeepTheirPrecision)
{
    WriteDefaults("[8]\ntype=wave\nsubtype_1=1\ndata_1=4.123456789\ndata_2=1.125\n");
    WriteUser("[8]\nwidth=2\n");
    table.Load();
    EXPECT_EQ(table.Find(8)->data1, 4.123456789);
    EXPECT_EQ(table.Find(8)->data2, 1.125);
    table.SetCurrent(8);
    table.SetCurrentData(0.1 + 0.2, 1.125, 0);
    ASSERT_TRUE(table.Save());
    EXPECT_EQ(UserFile(), QByteArray("[8]\n width=2\n data_1=0.30000000000000004\n\n"));
    table.Load();
    EXPECT_EQ(table.Find(8)->data1, 0.1 + 0.2);
    EXPECT_EQ(table.Find(8)->data2, 1.125);
}

TEST_F(LinetypeFilesTest, StartUpDoesNotRewriteTheUserFile)
{
    WriteDefaults(kFactory);
    // Redundant and ignored entries the program would not write itself.
    const QByteArray user = "; kept as it is\n[1]\nwidth=3\ncolor=#FF0000\n[-2]\nname=ignored\n";
    WriteUser(user);
    const QDateTime written = QFileInfo(UserPath()).lastModified();
    table.Load();
    ASSERT_TRUE(table.Save());
    EXPECT_EQ(UserFile(), user);
    EXPECT_EQ(QFileInfo(UserPath()).lastModified(), written);

    // Without a user file and without differences none is made.
    QFile::remove(UserPath());
    table.Load();
    ASSERT_TRUE(table.Save());
    EXPECT_FALSE(QFileInfo::exists(UserPath()));
}

TEST_F(LinetypeFilesTest, UnwritableUserFileIsReported)
{
    WriteDefaults(kFactory);
    table.Load();
    table.SetCurrent(1);
    table.SetCurrentName(QStringLiteral("Knife"));
    QDir().mkpath(env.dir().file(QStringLiteral("app/Config/linetypes.cfg/blocked")));
    platform::ScriptedPrompt prompt{platform::PromptResult::Ok};
    auto scoped = platform::installPrompt(prompt);
    EXPECT_FALSE(table.Save());
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_TRUE(prompt.texts()[0].startsWith(QStringLiteral("Cannot create file: \n")));
    EXPECT_TRUE(prompt.texts()[0].endsWith(QStringLiteral("linetypes.cfg")));
    EXPECT_EQ(table.Find(1)->name, QStringLiteral("Knife"));
}

TEST_F(LinetypeFilesTest, NamesOutsideTheCodePageSurviveASave)
{
    WriteDefaults(kFactory);
    table.Load();
    table.SetCurrent(3);
    const QString name = QStringLiteral("Rill \u0141\u00f3d\u017a \u6298\u308a\nzwei");
    table.SetCurrentName(name);
    ASSERT_TRUE(table.Save());
    EXPECT_TRUE(UserFile().startsWith("\xEF\xBB\xBF"));
    table.Load();
    EXPECT_EQ(table.Find(3)->name, QStringLiteral("Rill \u0141\u00f3d\u017a \u6298\u308a zwei"));
}

// The profile reader trims values and drops a pair of quotes around them.
TEST_F(LinetypeFilesTest, NamesInQuotesOrWithOuterSpacesSurviveASave)
{
    WriteDefaults(kFactory);
    WriteUser("[3]\nname=\"\"Crease\"\"\n");
    table.Load();
    EXPECT_EQ(table.Find(3)->name, QStringLiteral("\"Crease\""));
    table.SetCurrent(1);
    table.SetCurrentName(QStringLiteral("Knife")); // the file is written again
    ASSERT_TRUE(table.Save());
    table.Load();
    EXPECT_EQ(table.Find(3)->name, QStringLiteral("\"Crease\""));

    const QString names[] = {QStringLiteral("\"Crease\""), QStringLiteral("'Cut'"), QStringLiteral(" padded "),
                             QStringLiteral("\"half"), QStringLiteral("'mixed\""), QStringLiteral("\"\"")};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        table.SetCurrent(3);
        table.SetCurrentName(name);
        ASSERT_TRUE(table.Save());
        table.Load();
        EXPECT_EQ(table.Find(3)->name, name);
    }
}

// A broken file still loads: bad values fall back to the defaults, and every
// line type draws in mode 2 without looping.
TEST_F(LinetypeFilesTest, PathologicalFileLoadsWithDefaultsAndDraws)
{
    WriteDefaults("garbage before any section\n"
                  "[1]\nwidth=-7\ncolor=red\nstyle=zigzag\ntype=\n"
                  "[2]\ntype=wave\ndata_1=0\ndata_2=0\nsubtype_1=99\n"
                  "[3]\ntype=tear\ndata_1=-5\ndata_2=0\ndata_3=nan\nsubtype_1=1\n"
                  "[4]\ntype=mixed\ndata_1=1e-300\ndata_2=1e-300\nsubtype_1=1\nsubtype_2=77\n"
                  "[5]\ntype=wave\ndata_1=1e308\ndata_2=1e-308\nsubtype_1=1\n"
                  "[6]\ntype=tear\ndata_1=2\ndata_2=1\ndata_3=1e300\nsubtype_1=-1\n"
                  "[7\nname=unclosed\n"
                  "[]\nwidth=4\n"
                  "[8]\nwidth=99999999999\n");
    WriteUser("[1]\nwidth=-3\n[9]\ndeleted=1\n[highlight]\nwidth=-1\n");
    table.Load();
    EXPECT_EQ(table.Find(1)->width, 1);
    EXPECT_EQ(table.Find(1)->colour, 0u);
    EXPECT_EQ(table.Find(1)->kind, 0);
    EXPECT_EQ(table.Find(3)->data3, 0.0);
    EXPECT_EQ(table.Find(SpecialLinetype::Highlight)->width, 1);

    auto linked = DisplayList::InstallLinetypeTable(table);
    for (auto it = table.LinetypesBegin(); it != table.LinetypesEnd(); ++it) {
        DisplayList list;
        list.Begin(it->first, 0, 10, 2.0);
        list.AddLine({0, 0}, {1000, 0});
        list.AddArc({0, 0}, {50, 0}, {50, 0});
        list.End();
        list.Regenerate(DisplayMode::SpecialLineTypes);
        for (const DisplayFigure& f : list.Figures()) {
            EXPECT_FALSE(f.output.empty()) << it->first;
            EXPECT_LT(f.output.size(), 1000000u) << it->first;
            for (const OutputNode& n : f.output)
                ASSERT_TRUE(std::isfinite(n.x) && std::isfinite(n.y)) << it->first;
        }
    }
}

// The shipped factory file: every special line type has its section, and
// every pattern refers to line types that exist.
TEST_F(LinetypeFilesTest, ShippedFactoryFileIsComplete)
{
    QFile shipped(QStringLiteral(MORVEK_SOURCE_DIR "/Defaults/linetypes.ini"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    WriteDefaults(shipped.readAll());
    table.Load();
    for (const SpecialLinetype::Registration& r : SpecialLinetype::Registrations()) {
        const Linetype* t = table.Find(r.number);
        ASSERT_NE(t, nullptr) << r.name;
        EXPECT_EQ(t->kind, r.kind) << r.name;
        EXPECT_FALSE(t->name.isEmpty()) << r.name;
    }
    for (int rule : {1, 3, 5})
        EXPECT_EQ(table.Find(rule)->kind, LinetypeKind::Standard) << rule;
    int patterns = 0;
    for (auto it = table.LinetypesBegin(); it != table.LinetypesEnd(); ++it) {
        const Linetype& t = it->second;
        if (!(t.kind & (LinetypeKind::Wave | LinetypeKind::Tear | LinetypeKind::Mixed)))
            continue;
        ++patterns;
        EXPECT_NE(table.Find(t.subtype1), nullptr) << it->first;
        if (t.kind == LinetypeKind::Mixed) {
            EXPECT_NE(table.Find(t.subtype2), nullptr) << it->first;
        }
        EXPECT_GT(t.data1, 0.0) << it->first;
        EXPECT_GT(t.data2, 0.0) << it->first;
    }
    EXPECT_GE(patterns, 3);
    // Loading and saving it unchanged writes nothing.
    ASSERT_TRUE(table.Save());
    EXPECT_FALSE(QFileInfo::exists(UserPath()));
}

} // namespace
