#include "settings/SectionDocument.h"

#include "common/TempDir.h"
#include "platform/Prompt.h"

#include <QFileInfo>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

// The current sections as "name:key=text" lines ("name:" for an empty section).
QStringList dump(const SectionDocument& doc)
{
    QStringList out;
    for (const auto& [name, section] : doc.Current()) {
        if (section.IsEmpty())
            out << name + QLatin1Char(':');
        for (const auto& [key, value] : section)
            out << name + QLatin1Char(':') + key + QLatin1Char('=') + value.text;
    }
    return out;
}

TEST(SectionDocument, ReadingLinesTable)
{
    const struct {
        const char* lines;
        QStringList want;
    } cases[] = {
        {"  -  [old]  \n", {"keep:k=1"}},
        {"[old]\n-k=v\n", {"keep:k=1", "old:k=1"}},
        {"[old]\n- k \n", {"keep:k=1", "old:"}},
        {"[old]\n[]\nn=2\n", {"keep:k=1", "old:k=1", "old:n=2"}},      // '[]' selects nothing new
        {"[old]\n[x\nn=2\n", {"keep:k=1", "old:k=1", "old:n=2"}},
        {"[new]\nk = v \n", {"keep:k=1", "new:k= v ", "old:k=1"}},
        {"-[old]\nk=9\n[keep]\nk=2\n", {"keep:k=2"}},                  // keys after a deletion are ignored
        {"k=9\n-k\n[KEEP]\nK=2\nNew=3\n", {"keep:k=2", "keep:New=3", "old:k=1"}},
        {"[old]\n=v\nplain\n-\n", {"keep:k=1", "old:k=1"}},
        {"[ old ]\nk=2\n", {" old :k=2", "keep:k=1", "old:k=1"}},        // names are not trimmed
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        SectionDocument doc;
        ASSERT_TRUE(doc.ReadDiff(dir.write(QStringLiteral("base.ini"), "[keep]\nk=1\n[old]\nk=1\n")));
        ASSERT_TRUE(doc.ReadDiff(dir.write(QStringLiteral("diff.cfg"), c.lines)));
        EXPECT_EQ(dump(doc), c.want) << c.lines;
    }
}

TEST(SectionDocument, ReadingKeepsTheTypeOfAnExistingKey)
{
    test::TempDir dir;
    SectionDocument doc;
    doc.GetSection(QStringLiteral("s")).SetDouble(QStringLiteral("d"), 0.5);
    ASSERT_TRUE(doc.ReadDiff(dir.write(QStringLiteral("d.cfg"), "[S]\nD=0.50\n")));
    const ConfigValue* value = doc.GetSection(QStringLiteral("s")).Find(QStringLiteral("d"));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->text, QStringLiteral("0.50"));
    EXPECT_EQ(value->type, ConfigDouble);
}

TEST(SectionDocument, WritingDifferencesTable)
{
    const struct {
        const char* base;
        const char* current;
        const char* readAsDouble;   // key of section "a" read as a double, or null
        const char* want;
    } cases[] = {
        {"[a]\nx=1\ny=2\n", "[a]\nx=1\nz=3\n", nullptr, "[a]\n  z=3\n -y\n\n"},
        {"[a]\nx=1\ny=2\n", "[A]\nX=1\n", nullptr, "[A]\n -y\n\n"},
        {"[a]\nx=1\n", "[a]\nx=1\n[new]\n", nullptr, "[new]\n\n"},
        {"[a]\nd=0.50\n", "[a]\nd=0.5\n", "d", ""},
        {"[a]\nd=0.5000001\n", "[a]\nd=0.5\n", "d", "[a]\n  d=0.5\n\n"},
        {"[a]\nd=0.50\n", "[a]\nd=0.5\n", nullptr, "[a]\n  d=0.5\n\n"},   // untyped: texts differ
        {"[a]\nx=1\n[b]\nk=1\n", "[a]\nx=1\n", nullptr, "-[b]\n\n"},
        {"[b]\nk=1\n", "[a]\nx=1\n", nullptr, "[a]\n  x=1\n\n-[b]\n\n"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        SectionDocument doc;
        ASSERT_TRUE(doc.ReadDiff(dir.write(QStringLiteral("base.ini"), c.base)));
        doc.Commit();
        doc.Clear();
        ASSERT_TRUE(doc.ReadDiff(dir.write(QStringLiteral("current.cfg"), c.current)));
        if (c.readAsDouble) {
            double d = 0;
            EXPECT_TRUE(doc.GetSection(QStringLiteral("a")).GetDouble(QString::fromLatin1(c.readAsDouble), d));
        }
        ASSERT_TRUE(doc.WriteDiff(dir.file(QStringLiteral("out.cfg"))));
        EXPECT_EQ(dir.read(QStringLiteral("out.cfg")), QByteArray(c.want)) << c.base << " / " << c.current;
    }
}

// The exporter configuration's round trip: defaults, the user's differences,
// every owner writing its section again, and the differences read back.
TEST(SectionDocument, UserDifferencesRoundTrip)
{
    test::ScopedTestEnvironment env;
    env.dir().write(QStringLiteral("app/Defaults/output.ini"),
                    "[DXF]\nlib=dxf\nenabled=1\nscale=1\n[CF2]\nlib=cf2\nenabled=1\n[HPGL]\nlib=hpgl\n");
    env.dir().write(QStringLiteral("app/Config/output.cfg"), "[dxf]\n  enabled=0\n");

    SectionDocument doc;
    ASSERT_TRUE(doc.ReadDiff(QStringLiteral("\\Defaults\\output.ini")));
    doc.Commit();
    ASSERT_TRUE(doc.ReadDiff(QStringLiteral("\\Config\\output.cfg")));
    int enabled = 1;
    EXPECT_TRUE(doc.GetSection(QStringLiteral("DXF")).GetInt(QStringLiteral("enabled"), enabled));
    EXPECT_EQ(enabled, 0);

    // Saving: the owners write their sections again; HPGL is gone, CF2 lost a key.
    doc.Clear();
    SectionMap& dxf = doc.GetSection(QStringLiteral("DXF"));
    dxf.SetString(QStringLiteral("lib"), QStringLiteral("dxf"));
    dxf.SetInt(QStringLiteral("enabled"), 0);
    dxf.SetDouble(QStringLiteral("scale"), 1.0);
    SectionMap& cf2 = doc.GetSection(QStringLiteral("CF2"));
    cf2.SetString(QStringLiteral("lib"), QStringLiteral("cf2"));
    SectionMap& pdf = doc.GetSection(QStringLiteral("PDF"));
    pdf.SetString(QStringLiteral("lib"), QStringLiteral("pdf"));
    pdf.SetDouble(QStringLiteral("margin"), 2.5);
    ASSERT_TRUE(doc.WriteDiff(QStringLiteral("\\Config\\output.cfg")));
    EXPECT_EQ(env.dir().read(QStringLiteral("app/Config/output.cfg")),
              QByteArray("[CF2]\n -enabled\n\n"
                         "[DXF]\n  enabled=0\n\n"
                         "[PDF]\n  lib=pdf\n  margin=2.5\n\n"
                         "-[HPGL]\n\n"));

    SectionDocument again;
    ASSERT_TRUE(again.ReadDiff(QStringLiteral("\\Defaults\\output.ini")));
    again.Commit();
    ASSERT_TRUE(again.ReadDiff(QStringLiteral("\\Config\\output.cfg")));
    EXPECT_EQ(dump(again), dump(doc));
}

TEST(SectionDocument, UnreadableAndUnwritableFiles)
{
    test::TempDir dir;
    SectionDocument doc;
    doc.GetSection(QStringLiteral("a")).SetInt(QStringLiteral("k"), 1);
    EXPECT_FALSE(doc.ReadDiff(dir.file(QStringLiteral("missing.cfg"))));
    EXPECT_EQ(dump(doc), QStringList{QStringLiteral("a:k=1")});

    const QString blocker = dir.write(QStringLiteral("blocker"), "old");
    EXPECT_FALSE(doc.WriteDiff(blocker + QStringLiteral("/out.cfg")));
    EXPECT_EQ(dir.read(QStringLiteral("blocker")), QByteArray("old"));
}

// A difference file that an editor saved as UTF-16 is written back as UTF-16,
// and one holding lines that make no sense is kept beside the new one.
TEST(SectionDocument, TheUserFileKeepsItsEncodingAndItsDamage)
{
    const QString name = QStringLiteral("\u015Dablono \u20AC");
    auto encode = QStringEncoder(QStringConverter::Utf16LE);
    const struct {
        const char* what;
        QByteArray user;
        QByteArray mark;
        bool damaged;
    } cases[] = {
        {"UTF-16", "\xFF\xFE" + QByteArray(encode(QStringLiteral("[a]\n  name=") + name + u'\n')), "\xFF\xFE", false},
        {"damaged", "[a]\n  name=x\n\x01\x02\x03\n", "\xEF\xBB\xBF[a]", true},
        {"a stray word", "[a]\n  name=x\nword\n", "\xEF\xBB\xBF[a]", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        platform::ScriptedPrompt prompt{platform::PromptResult::Ok};
        const auto usePrompt = platform::installPrompt(prompt);
        SectionDocument doc;
        ASSERT_TRUE(doc.ReadDiff(dir.write(QStringLiteral("output.ini"), "[a]\nname=factory\n")));
        doc.Commit();
        const QString user = dir.write(QStringLiteral("output.cfg"), c.user);
        ASSERT_TRUE(doc.ReadDiff(user));
        doc.GetSection(QStringLiteral("a")).SetString(QStringLiteral("name"), name);
        ASSERT_TRUE(doc.WriteDiff(user));

        const QByteArray written = dir.read(QStringLiteral("output.cfg"));
        EXPECT_TRUE(written.startsWith(c.mark)) << written.toHex().toStdString();
        EXPECT_EQ(QFileInfo::exists(user + QStringLiteral(".damaged")), c.damaged);
        EXPECT_EQ(prompt.texts().size(), c.damaged ? 1 : 0);
        SectionDocument again;
        ASSERT_TRUE(again.ReadDiff(user));
        EXPECT_EQ(again.GetSection(QStringLiteral("a")).GetText(QStringLiteral("name")), name);
    }
}

} // namespace
