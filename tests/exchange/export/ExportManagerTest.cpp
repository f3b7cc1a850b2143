#include "exchange/export/ExportManager.h"

#include "common/TempDir.h"
#include "platform/Registry.h"
#include "settings/SectionMap.h"

#include <QFile>

#include <map>
#include <tuple>

#include <gtest/gtest.h>

namespace {

using Export::ExportManager;

// One exporter read from a section of key=value lines.
std::unique_ptr<Export::exporter> FromSection(std::initializer_list<std::pair<const char*, const char*>> keys)
{
    SectionMap section;
    for (const auto& [key, value] : keys)
        section.SetText(QString::fromLatin1(key), QString::fromLatin1(value));
    return Export::CreateFromSection(QStringLiteral("Out"), section);
}

SectionMap Saved(const Export::exporter& configured)
{
    SectionMap section;
    configured.SaveSettings(section);
    return section;
}

TEST(Exporter, TypeWordsAndDefaults)
{
    const struct {
        const char* lib;
        const char* type; // null: no exporter
        bool useOffset;
        int instance;
    } cases[] = {
        {"cf2", "cf2", false, 0}, {"CF2", "cf2", false, 0}, {"HpGl", "hpgl", true, 1},
        {"oldn", "oldn", false, 0}, {"wild", "wild", true, 1}, {"plot", nullptr, false, 0},
        {"", nullptr, false, 0},
    };
    for (const auto& c : cases) {
        const auto created = FromSection({{"lib", c.lib}});
        ASSERT_EQ(created != nullptr, c.type != nullptr) << c.lib;
        if (!created)
            continue;
        EXPECT_EQ(created->TypeName(), QString::fromLatin1(c.type));
        EXPECT_EQ(created->GetName(), QStringLiteral("Out"));
        EXPECT_TRUE(created->IsEnabled());
        const auto& s = created->GetSettings();
        EXPECT_EQ(s.use_offset, c.useOffset) << c.lib;
        EXPECT_EQ(s.instance, c.instance) << c.lib;
        EXPECT_EQ(s.optimize, 2);
        EXPECT_EQ(s.serial, -1);
        EXPECT_EQ(s.remap_linetypes, -1);
    }
    EXPECT_EQ(FromSection({{"enabled", "1"}}), nullptr) << "no lib key";
    EXPECT_EQ(Export::CreateExporter(QStringLiteral("CF2")), nullptr) << "the factory compares exactly";
}

TEST(Exporter, ReadsItsKeys)
{
    const auto read = FromSection({{"lib", "hpgl"}, {"enabled", "0"}, {"export", "2"}, {"layer", "1"},
                                   {"instance", "2"}, {"optimize", "x"}, {"mirror", "2"}, {"arc", "1"},
                                   {"text", "1"}, {"offset_x", "12.5"}, {"offset_y", "-3"},
                                   {"remap_linetypes", "1"}, {"remap_filename", "map.txt"}, {"dir_policy", "3"},
                                   {"dir", "out"}, {"serial", "1"}, {"send_to", "prog"},
                                   {"order", ",3, 1,,3,7, x ,"}, {"vcut", "1"}});
    ASSERT_NE(read, nullptr);
    EXPECT_FALSE(read->IsEnabled());
    const auto& s = read->GetSettings();
    EXPECT_EQ(s.mode, 2);
    EXPECT_EQ(s.layer, 1);
    EXPECT_EQ(s.instance, 2);
    EXPECT_EQ(s.optimize, 0) << "not a number reads 0";
    EXPECT_EQ(s.mirror, 2);
    EXPECT_EQ(s.arc, 1);
    EXPECT_EQ(s.text, 1);
    EXPECT_DOUBLE_EQ(s.offset_x, 12.5);
    EXPECT_DOUBLE_EQ(s.offset_y, -3.0);
    EXPECT_EQ(s.remap_linetypes, 1);
    EXPECT_EQ(s.remap_filename, QStringLiteral("map.txt"));
    EXPECT_EQ(s.dir_policy, 3);
    EXPECT_EQ(s.dir, QStringLiteral("out"));
    EXPECT_EQ(s.serial, 1);
    EXPECT_EQ(s.send_to, QStringLiteral("prog"));
    EXPECT_EQ(s.order, (std::map<int, int>{{3, 0}, {1, 1}, {7, 2}, {0, 3}}));
    EXPECT_TRUE(s.vcut);

    EXPECT_FALSE(FromSection({{"lib", "hpgl"}, {"vcut", "2"}})->GetSettings().vcut);
}

TEST(Exporter, TakesTheHandOverProgramFromTheProfileWhenFlagged)
{
    test::ScopedTestEnvironment env;
    ASSERT_TRUE(platform::Registry::writeString(QStringLiteral("Paths"), QStringLiteral("RAvadPath"),
                                                QStringLiteral("/opt/ravad")));
    EXPECT_EQ(FromSection({{"lib", "cf2"}, {"sendto_ravad", "1"}})->GetSettings().send_to, QStringLiteral("/opt/ravad"));
    EXPECT_EQ(FromSection({{"lib", "cf2"}, {"sendto_ravad", "1"}, {"send_to", "mine"}})->GetSettings().send_to,
              QStringLiteral("mine"));
    EXPECT_EQ(FromSection({{"lib", "cf2"}, {"sendto_ravad", "0"}})->GetSettings().send_to, QString());
}

TEST(Exporter, WritesOnlyTheKeysItUses)
{
    const struct {
        std::initializer_list<std::pair<const char*, const char*>> keys;
        std::vector<const char*> present, absent;
    } cases[] = {
        {{{"lib", "cf2"}}, {"lib", "enabled", "export", "dir_policy", "dir", "send_to"},
         {"offset_x", "offset_y", "remap_linetypes", "remap_filename", "serial", "order", "vcut", "sendto_ravad"}},
        {{{"lib", "hpgl"}, {"serial", "-1"}, {"order", ""}, {"vcut", "0"}}, {"offset_x", "offset_y"},
         {"serial", "order", "vcut"}},
        {{{"lib", "wild"}, {"serial", "0"}, {"remap_linetypes", "0"}, {"vcut", "1"}, {"sendto_ravad", "1"}},
         {"serial", "remap_linetypes", "remap_filename", "vcut"}, {"sendto_ravad"}},
    };
    for (const auto& c : cases) {
        auto section = Saved(*FromSection(c.keys));
        for (const char* key : c.present)
            EXPECT_TRUE(section.Contains(QString::fromLatin1(key))) << key;
        for (const char* key : c.absent)
            EXPECT_FALSE(section.Contains(QString::fromLatin1(key))) << key;
    }
    auto ordered = Saved(*FromSection({{"lib", "cf2"}, {"order", "3, 1,3,7"}}));
    EXPECT_EQ(ordered.GetText(QStringLiteral("order")), QStringLiteral("3, 1, 7"));
    auto hpgl = Saved(*FromSection({{"lib", "hpgl"}, {"offset_x", "2.50"}}));
    EXPECT_EQ(hpgl.GetText(QStringLiteral("offset_x")), QStringLiteral("2.5"));
}

class ExportManagerTest : public ::testing::Test {
protected:
    QString Defaults() const { return env.appFolder() + QStringLiteral("/Defaults/output.ini"); }
    QString User() const { return env.appFolder() + QStringLiteral("/Config/output.cfg"); }
    test::ScopedTestEnvironment env;
};

TEST_F(ExportManagerTest, LoadsTheDefaultsUnderTheUsersChanges)
{
    env.dir().write(QStringLiteral("app/Defaults/output.ini"),
                    "[Cutter]\nlib=CF2\n[Plotter]\nlib=hpgl\nlayer=1\n[Odd]\nlib=plot\n");
    env.dir().write(QStringLiteral("app/Config/output.cfg"), "[Plotter]\nlayer=2\n[Mine]\nlib=wild\nenabled=0\n");
    ExportManager manager;
    manager.Load(Defaults(), User());
    std::map<QString, QString> types;
    for (const auto& configured : manager.Exporters())
        types[configured->GetName()] = configured->TypeName();
    EXPECT_EQ(types, (std::map<QString, QString>{{QStringLiteral("Cutter"), QStringLiteral("cf2")},
                                                 {QStringLiteral("Mine"), QStringLiteral("wild")},
                                                 {QStringLiteral("Plotter"), QStringLiteral("hpgl")}}));
    EXPECT_EQ(manager.GetNameMap().at(QStringLiteral("plotter"))->GetSettings().layer, 2);
    const auto enabled = manager.GetEnabledExporters();
    ASSERT_EQ(enabled.size(), 2u);
    EXPECT_EQ(enabled[0]->GetName(), QStringLiteral("Cutter"));
    EXPECT_EQ(enabled[1]->GetName(), QStringLiteral("Plotter"));
}

TEST_F(ExportManagerTest, SavesOnlyDifferencesAndDropsUnknownSections)
{
    env.dir().write(QStringLiteral("app/Defaults/output.ini"),
                    "[Cutter]\nlib=cf2\nenabled=1\nexport=0\nlayer=0\ninstance=0\noptimize=2\nmirror=0\narc=0\n"
                    "text=0\ndir_policy=0\ndir=\nsend_to=\n[Odd]\nlib=plot\n");
    {
        ExportManager manager;
        manager.Load(Defaults(), User());
        ASSERT_TRUE(manager.Save());
    }
    EXPECT_EQ(env.dir().read(QStringLiteral("app/Config/output.cfg")).trimmed(), QByteArray("-[Odd]"));
    {
        ExportManager manager;
        manager.Load(Defaults(), User());
        ASSERT_EQ(manager.Exporters().size(), 1u);
        auto settings = manager.Exporters().front()->GetSettings();
        settings.layer = 2;
        manager.Exporters().front()->SetSettings(settings);
        ASSERT_TRUE(manager.Save());
    }
    ExportManager reloaded;
    reloaded.Load(Defaults(), User());
    ASSERT_EQ(reloaded.Exporters().size(), 1u);
    EXPECT_EQ(reloaded.Exporters().front()->GetSettings().layer, 2);

    ExportManager unsaved;
    EXPECT_TRUE(unsaved.Save()) << "no user path: nothing to write";
}

TEST_F(ExportManagerTest, NamesDifferingInCaseListTheLaterExporter)
{
    ExportManager manager;
    manager.Add(Export::CreateExporter(QStringLiteral("cf2")));
    manager.Add(Export::CreateExporter(QStringLiteral("hpgl")));
    manager.Exporters()[0]->SetName(QStringLiteral("Die"));
    manager.Exporters()[1]->SetName(QStringLiteral("die"));
    const auto names = manager.GetNameMap();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names.begin()->first, QStringLiteral("die"));
    EXPECT_EQ(names.begin()->second->TypeName(), QStringLiteral("hpgl"));

    manager.Delete(manager.Exporters()[1].get());
    manager.Delete(nullptr);
    ASSERT_EQ(manager.Exporters().size(), 1u);
    EXPECT_EQ(manager.GetEnabledExporters().front()->GetName(), QStringLiteral("Die"));
}

} // namespace

// A fresh configuration: the shipped output.ini lists one exporter of each
// type, enabled, with its type's defaults, and saving it unchanged writes
// no difference.
TEST_F(ExportManagerTest, TheFactoryFileListsOneExporterPerType)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(MORVEK_SOURCE_DIR "/Defaults/output.ini"), Defaults()));
    {
        ExportManager manager;
        manager.Load(Defaults(), User());
        std::map<QString, const Export::exporter*> byType;
        for (const auto& configured : manager.Exporters())
            byType[configured->TypeName()] = configured.get();
        ASSERT_EQ(byType.size(), 4u);
        ASSERT_EQ(manager.GetEnabledExporters().size(), 4u);
        for (const auto& [type, configured] : byType) {
            SCOPED_TRACE(type.toStdString());
            const auto fresh = Export::CreateExporter(type);
            const Export::ExportSettings& s = configured->GetSettings();
            const Export::ExportSettings& d = fresh->GetSettings();
            EXPECT_EQ(std::tie(s.use_offset, s.remap_linetypes, s.layer, s.mode, s.mirror, s.optimize, s.instance,
                               s.text, s.arc, s.serial, s.dir_policy, s.offset_x, s.offset_y, s.vcut),
                      std::tie(d.use_offset, d.remap_linetypes, d.layer, d.mode, d.mirror, d.optimize, d.instance,
                               d.text, d.arc, d.serial, d.dir_policy, d.offset_x, d.offset_y, d.vcut));
        }
        ASSERT_TRUE(manager.Save());
    }
    EXPECT_TRUE(env.dir().read(QStringLiteral("app/Config/output.cfg")).trimmed().isEmpty());
}
