#include "settings/ProfileStore.h"

#include "common/SmallDisk.h"
#include "common/TempDir.h"
#include "platform/Prompt.h"
#include "settings/ConfigValue.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

class ProfileStoreTest : public ::testing::Test {
protected:
    // Writes the defaults and the user file and loads them as two levels.
    std::set<QString> load(const QByteArray& defaults, const QByteArray& user)
    {
        store.AddFile(dir.write(QStringLiteral("Defaults/settings.ini"), defaults));
        store.AddFile(dir.write(QStringLiteral("Config/settings.cfg"), user));
        return store.Load();
    }
    QByteArray saved() const { return dir.read(QStringLiteral("Config/settings.cfg")); }
    QString text(const QString& key)
    {
        QString out = QStringLiteral("<absent>");
        store.GetString(key, out);
        return out;
    }

    test::TempDir dir;
    ProfileStore store;
};

TEST_F(ProfileStoreTest, UserLevelWinsAndSavingTheDefaultDropsTheSection)
{
    load("[A]\nX=1\n", "[a]\nx=2\n");
    ASSERT_TRUE(store.SelectSection(QStringLiteral("a")));
    int x = 0;
    EXPECT_TRUE(store.GetInt(QStringLiteral("x"), x));
    EXPECT_EQ(x, 2);
    store.SetInt(QStringLiteral("x"), 1);
    EXPECT_TRUE(store.Save());
    EXPECT_EQ(saved(), QByteArray());
}

TEST_F(ProfileStoreTest, ReadingLinesTable)
{
    const struct {
        const char* file;
        const char* key;
        const char* want;
    } cases[] = {
        {"[s]\nk=1\n[t]\nz=0\n[s]\nk=2\n", "k", "1"},   // a repeated section is ignored
        {"[s]\n[s]\nk=2\n", "k", "2"},                  // ...unless it received no key
        {"[s]\nk=1\nk=2\n", "k", "1"},                  // the first occurrence wins
        {"k=1\n[s]\n", "k", "<absent>"},                // before any header
        {"[s]\n=5\nplain text\n   \n", "", "<absent>"},
        {"[s]\nKey=Value\n", "key", "Value"},
        {"[s]\nkey = value \n", "key ", " value"},      // trimmed at the line's ends only
        {"  [S]\t\nk=\n", "k", ""},
        {"[s]\n; note=x\n", "; note", "x"},             // no comment syntax
        {"[s]\nk=a=b\n", "k", "a=b"},
    };
    for (const auto& c : cases) {
        ProfileStore one;
        one.AddFile(dir.write(QStringLiteral("one.ini"), c.file));
        one.Load();
        one.SelectSection(QStringLiteral("s"));
        QString out = QStringLiteral("<absent>");
        one.GetString(QString::fromLatin1(c.key), out);
        EXPECT_EQ(out, QString::fromLatin1(c.want)) << c.file;
    }
}

// An editor may put a UTF-8 byte-order mark before the first header; the
// first section must still be read, and so survive the next save, which keeps
// the mark.
TEST_F(ProfileStoreTest, AByteOrderMarkDoesNotHideTheFirstSection)
{
    load("\xEF\xBB\xBF[s]\nk=1\n", "\xEF\xBB\xBF[language]\norder=GER\n[s]\nk=2\n");
    store.SelectSection(QStringLiteral("s"));
    QString lower;
    EXPECT_TRUE(store.Lookup(QStringLiteral("k"), lower, 1));
    EXPECT_EQ(lower, QStringLiteral("1"));
    EXPECT_TRUE(store.Save());
    EXPECT_EQ(saved(), QByteArray("\xEF\xBB\xBF[language]\n order=GER\n\n[s]\n k=2\n\n"));
}

TEST_F(ProfileStoreTest, LoadReturnsTheHeadersOfAllLevels)
{
    const std::set<QString> names = load("[A]\nk=1\n[b]\n", "[a]\n[c]\nk=2\n");
    EXPECT_EQ(names, (std::set<QString>{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

TEST_F(ProfileStoreTest, TheTypeOfTheUserValueDecidesWhatIsSaved)
{
    enum Read { None, AsInt, AsDouble, AsTextThenInt };
    const struct {
        const char* defaults;
        const char* user;
        Read read;
        const char* want;
    } cases[] = {
        {"[s]\nd=1.5\n", "[s]\nd=1.50004\n", AsDouble, ""},
        {"[s]\nd=1.5\n", "[s]\nd=1.50004\n", None, "[s]\n d=1.50004\n\n"},
        {"[s]\nd=5\n", "[s]\nd=5.0\n", AsInt, ""},
        {"[s]\nd=5\n", "[s]\nd=5.0\n", AsTextThenInt, "[s]\n d=5.0\n\n"},   // text stays the highest type
        {"[s]\nd=x\n", "[s]\nd=x\n", None, ""},
        {"[t]\nd=1\n", "[s]\nd=1\n", AsInt, "[s]\n d=1\n\n"},               // not in the defaults
    };
    for (const auto& c : cases) {
        ProfileStore two;
        two.AddFile(dir.write(QStringLiteral("case/d.ini"), c.defaults));
        two.AddFile(dir.write(QStringLiteral("case/u.cfg"), c.user));
        two.Load();
        two.SelectSection(QStringLiteral("s"));
        int i = 0;
        double d = 0;
        QString s;
        if (c.read == AsInt)
            two.GetInt(QStringLiteral("d"), i);
        if (c.read == AsDouble)
            two.GetDouble(QStringLiteral("d"), d);
        if (c.read == AsTextThenInt) {
            two.GetString(QStringLiteral("d"), s);
            two.GetInt(QStringLiteral("d"), i);
        }
        EXPECT_TRUE(two.Save());
        EXPECT_EQ(dir.read(QStringLiteral("case/u.cfg")), QByteArray(c.want)) << c.defaults << c.user;
    }
}

TEST_F(ProfileStoreTest, SettersWriteTheirTextFormIntoTheUserLevel)
{
    load("[s]\nd=1\n", "");
    store.SelectSection(QStringLiteral("s"));
    store.SetDouble(QStringLiteral("d"), 2.0);
    store.SetInt(QStringLiteral("i"), -3);
    store.SetString(QStringLiteral("Name"), QStringLiteral(" x "));
    EXPECT_EQ(text(QStringLiteral("d")), QStringLiteral("2.0000"));
    EXPECT_EQ(text(QStringLiteral("i")), QStringLiteral("-3"));
    EXPECT_EQ(text(QStringLiteral("Name")), QStringLiteral(" x "));   // setters keep the case
    QString lower;
    EXPECT_TRUE(store.Lookup(QStringLiteral("d"), lower, 1));
    EXPECT_EQ(lower, QStringLiteral("1"));

    store.RemoveKey(QStringLiteral("d"));
    EXPECT_EQ(text(QStringLiteral("d")), QStringLiteral("1"));
}

TEST_F(ProfileStoreTest, KeysOfASavedSectionComeInOrdinalOrderOfTheLine)
{
    load("", "");
    store.SelectSection(QStringLiteral("s"));
    store.SetInt(QStringLiteral("ab"), 1);
    store.SetInt(QStringLiteral("a"), 1);
    store.SetInt(QStringLiteral("a-b"), 1);
    EXPECT_TRUE(store.Save());
    EXPECT_EQ(saved(), QByteArray("[s]\n a-b=1\n a=1\n ab=1\n\n"));
}

TEST_F(ProfileStoreTest, SelectingWithSkipTopAsksTheDefaultsOnly)
{
    load("[1]\nmin_len=2\n", "[1]\nmin_len=3\n[9]\nmin_len=4\n");
    EXPECT_TRUE(store.SelectSection(QStringLiteral("1"), 1));
    EXPECT_FALSE(store.SelectSection(QStringLiteral("9"), 1));
    EXPECT_TRUE(store.SelectSection(QStringLiteral("9")));
    EXPECT_TRUE(store.SelectSection(QStringLiteral("1"), 1));
    // The user level still has section 9 selected.
    EXPECT_EQ(text(QStringLiteral("min_len")), QStringLiteral("4"));
    EXPECT_EQ(store.CurrentSectionName(), QStringLiteral("1"));
}

TEST_F(ProfileStoreTest, OneLevelNeverWrites)
{
    const QString path = dir.write(QStringLiteral("only.ini"), "[s]\nk=1\n");
    ProfileStore one;
    one.AddFile(path);
    one.Load();
    one.SelectSection(QStringLiteral("s"));
    one.SetInt(QStringLiteral("k"), 2);
    EXPECT_FALSE(one.Save());
    EXPECT_EQ(dir.read(QStringLiteral("only.ini")), QByteArray("[s]\nk=1\n"));
}

TEST_F(ProfileStoreTest, AThirdLevelIsRefused)
{
    EXPECT_TRUE(store.AddFile(QStringLiteral("a")));
    EXPECT_TRUE(store.AddFile(QStringLiteral("b")));
    EXPECT_FALSE(store.AddFile(QStringLiteral("c")));
    EXPECT_EQ(store.LevelCount(), 2);
}

// A reload gives what the files hold: a user file that is gone empties its
// level (the values set since are dropped with it); one that is there but
// does not open keeps what the level held.
TEST_F(ProfileStoreTest, AReloadGivesTheFilesContent)
{
    load("[s]\nk=1\n", "[s]\nk=2\n");
    QFile::remove(dir.file(QStringLiteral("Config/settings.cfg")));
    store.Load();
    store.SelectSection(QStringLiteral("s"));
    EXPECT_EQ(text(QStringLiteral("k")), QStringLiteral("1"));

    // A value set after the last save, whose user file was never written.
    store.SetInt(QStringLiteral("k"), 5);
    store.Load();
    store.SelectSection(QStringLiteral("s"));
    EXPECT_EQ(text(QStringLiteral("k")), QStringLiteral("1"));

    dir.write(QStringLiteral("Config/settings.cfg"), "[s]\nk=3\n");
    store.Load();
    ASSERT_TRUE(QFile::remove(dir.file(QStringLiteral("Config/settings.cfg"))));
    ASSERT_TRUE(QDir().mkdir(dir.file(QStringLiteral("Config/settings.cfg")))); // there, but no file to read
    store.Load();
    store.SelectSection(QStringLiteral("s"));
    EXPECT_EQ(text(QStringLiteral("k")), QStringLiteral("3"));
}

// A settings save onto a full disk returns failure with the reason, and the
// file keeps its old content.
TEST(ProfileStoreFullDisk, AFailedSaveKeepsTheOldFile)
{
    test::TempDir dir;
    test::SmallDisk disk(dir.file(QStringLiteral("Config")));
    ProfileStore store;
    store.AddFile(dir.write(QStringLiteral("Defaults/settings.ini"), "[s]\nk=1\n"));
    store.AddFile(dir.write(QStringLiteral("Config/settings.cfg"), "[s]\nk=2\n"));
    store.Load();
    store.SelectSection(QStringLiteral("s"));
    store.SetString(QStringLiteral("name"), QString(900, u'n'));
    disk.Fill();
    QString error;
    EXPECT_FALSE(store.Save(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("no space left on the disk"))) << error.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("Config/settings.cfg")), QByteArray("[s]\nk=2\n"));
}

TEST_F(ProfileStoreTest, SavingToAnImpossiblePathFailsAndKeepsWhatIsThere)
{
    const QString blocker = dir.write(QStringLiteral("blocker"), "old");
    store.AddFile(dir.write(QStringLiteral("d.ini"), "[s]\nk=1\n"));
    store.AddFile(blocker + QStringLiteral("/settings.cfg"));
    store.Load();
    store.SelectSection(QStringLiteral("s"));
    store.SetInt(QStringLiteral("k"), 2);
    EXPECT_FALSE(store.Save());
    EXPECT_EQ(dir.read(QStringLiteral("blocker")), QByteArray("old"));
}

// Reloading and clearing empty the levels: nothing selected before may be used
// afterwards (the sanitizer build catches a stale section).
TEST_F(ProfileStoreTest, ReloadAndClearTopLeaveNoStaleSelection)
{
    load("[s]\nk=1\n", "[s]\nk=2\n");
    store.SelectSection(QStringLiteral("s"));
    dir.write(QStringLiteral("Config/settings.cfg"), "[s]\nk=3\n");
    store.Load();
    EXPECT_EQ(text(QStringLiteral("k")), QStringLiteral("<absent>"));
    store.SelectSection(QStringLiteral("s"));
    EXPECT_EQ(text(QStringLiteral("k")), QStringLiteral("3"));

    store.ClearTop();
    store.RemoveKey(QStringLiteral("k"));
    store.RaiseType(QStringLiteral("k"), ConfigText);
    EXPECT_EQ(text(QStringLiteral("k")), QStringLiteral("1"));
    store.SetInt(QStringLiteral("k"), 4);   // recreates the section under the selected name
    EXPECT_EQ(text(QStringLiteral("k")), QStringLiteral("4"));
    EXPECT_TRUE(store.Save());
    EXPECT_EQ(saved(), QByteArray("[s]\n k=4\n\n"));
}

TEST(ProfileStorePair, SavedSettingsFileMatchesByteForByte)
{
    test::ScopedTestEnvironment env;
    env.dir().write(QStringLiteral("app/Defaults/settings.ini"),
                    "[general]\nunits=mm\ngrid=10.0\nautosave_interval=5\nname=x\n"
                    "[language]\nset0=english.lng\norder=1,2\n");
    env.dir().write(QStringLiteral("app/Config/settings.cfg"),
                    "[General]\nGrid=5\nname=Gr\xFC\xDF" "e\x80\n[language]\norder=2,1\n[old]\nx=1\n");

    ProfileStore settings;
    settings.AddFile(QStringLiteral("\\Defaults\\settings.ini"));
    settings.AddFile(QStringLiteral("\\Config\\Settings.cfg"));
    settings.Load();

    settings.SelectSection(QStringLiteral("general"));
    double grid = 0;
    EXPECT_TRUE(settings.GetDouble(QStringLiteral("grid"), grid));
    EXPECT_EQ(grid, 5.0);
    settings.SetDouble(QStringLiteral("grid"), 10.0);   // back to the default
    settings.SetInt(QStringLiteral("autosave_interval"), 10);
    settings.SetString(QStringLiteral("units"), QStringLiteral("inch"));
    settings.SetDouble(QStringLiteral("zoom"), 1.25);
    settings.SelectSection(QStringLiteral("language"));
    QString order;
    EXPECT_TRUE(settings.GetString(QStringLiteral("order"), order));
    settings.SelectSection(QStringLiteral("Bridge"));
    settings.SetDouble(QStringLiteral("min_len"), 2.0);
    EXPECT_TRUE(settings.Save());

    EXPECT_EQ(env.dir().read(QStringLiteral("app/Config/settings.cfg")),
              QByteArray("[Bridge]\n min_len=2.0000\n\n"
                         "[general]\n autosave_interval=10\n name=Gr\xFC\xDF" "e\x80\n units=inch\n zoom=1.2500\n\n"
                         "[language]\n order=2,1\n\n"
                         "[old]\n x=1\n\n"));
}

// A user file with lines the reader could not make sense of would lose them
// when the differences replace it: the old file is kept beside the new one
// and the user told, once.
TEST(ProfileStoreDamage, AFileNotUnderstoodIsKeptBesideTheNewOne)
{
    QByteArray noise;
    for (int i = 0; i < 4096; ++i)
        noise.append(static_cast<char>((i * 7919 + 13) % 256));
    const struct {
        const char* what;
        QByteArray user;
        bool damaged;
    } cases[] = {
        {"random bytes", noise, true},
        {"one 5 MB line", QByteArray("[s]\nk=") + QByteArray(5 * 1024 * 1024, 'x') + '\n', true},
        {"plain text", "[s]\nk=2\nnot a setting\n", true},
        {"a NUL in a value", QByteArray("[s]\nk=2\0x\n", 10), true},
        {"settings only", "[s]\nk=2\n\n[t]\n; note=x\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        platform::ScriptedPrompt prompt{platform::PromptResult::Ok};
        const auto usePrompt = platform::installPrompt(prompt);
        ProfileStore store;
        store.AddFile(dir.write(QStringLiteral("Defaults/settings.ini"), "[s]\nk=1\n"));
        const QString user = dir.write(QStringLiteral("Config/settings.cfg"), c.user);
        store.AddFile(user);
        store.Load();
        store.SelectSection(QStringLiteral("s"));
        store.SetInt(QStringLiteral("n"), 5);
        QString error;
        ASSERT_TRUE(store.Save(&error)) << error.toStdString();
        EXPECT_EQ(QFileInfo::exists(user + QStringLiteral(".damaged")), c.damaged);
        if (c.damaged) {
            EXPECT_EQ(dir.read(QStringLiteral("Config/settings.cfg.damaged")), c.user);
        }
        EXPECT_EQ(prompt.texts().size(), c.damaged ? 1 : 0);
        EXPECT_TRUE(dir.read(QStringLiteral("Config/settings.cfg")).contains(" n=5\n"));

        // The copy is made once; the file written now is understood.
        store.SetInt(QStringLiteral("n"), 6);
        ASSERT_TRUE(store.Save());
        EXPECT_FALSE(QFileInfo::exists(user + QStringLiteral(".damaged-2")));
        EXPECT_EQ(prompt.unexpected(), 0);
    }
}

TEST(ProfileStoreDamage, AnEarlierCopyIsNotOverwritten)
{
    test::TempDir dir;
    platform::ScriptedPrompt prompt{platform::PromptResult::Ok};
    const auto usePrompt = platform::installPrompt(prompt);
    ProfileStore store;
    store.AddFile(dir.write(QStringLiteral("d.ini"), "[s]\nk=1\n"));
    store.AddFile(dir.write(QStringLiteral("u.cfg"), "garbage\n"));
    dir.write(QStringLiteral("u.cfg.damaged"), "older");
    store.Load();
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(dir.read(QStringLiteral("u.cfg.damaged")), QByteArray("older"));
    EXPECT_EQ(dir.read(QStringLiteral("u.cfg.damaged-2")), QByteArray("garbage\n"));
}

// Saving what the file holds already leaves it alone: an exit without changes
// touches nothing, and a folder that cannot be written is no error then.
TEST_F(ProfileStoreTest, AnUnchangedFileIsNotWritten)
{
    load("[s]\nk=1\n", "[s]\n k=2\n\n");
    const QString user = dir.file(QStringLiteral("Config/settings.cfg"));
    const QDateTime old = QDateTime::fromSecsSinceEpoch(1'000'000'000);
    {
        QFile file(user);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    store.SelectSection(QStringLiteral("s"));
    int k = 0;
    EXPECT_TRUE(store.GetInt(QStringLiteral("k"), k));
    EXPECT_TRUE(store.Save());
    EXPECT_EQ(QFileInfo(user).lastModified(), old);

    store.SetInt(QStringLiteral("k"), 3);
    EXPECT_TRUE(store.Save());
    EXPECT_EQ(saved(), QByteArray("[s]\n k=3\n\n"));
}

TEST_F(ProfileStoreTest, NoUserFileIsCreatedWhenNothingDiffers)
{
    store.AddFile(dir.write(QStringLiteral("Defaults/settings.ini"), "[s]\nk=1\n"));
    store.AddFile(dir.file(QStringLiteral("Config/settings.cfg")));
    store.Load();
    store.SelectSection(QStringLiteral("s"));
    store.SetInt(QStringLiteral("k"), 1);
    EXPECT_TRUE(store.Save());
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("Config/settings.cfg"))));
}

TEST_F(ProfileStoreTest, AFailedSaveSaysWhichFileAndWhy)
{
    const QString blocker = dir.write(QStringLiteral("blocker"), "old");
    store.AddFile(dir.write(QStringLiteral("d.ini"), "[s]\nk=1\n"));
    store.AddFile(blocker + QStringLiteral("/settings.cfg"));
    store.Load();
    store.SelectSection(QStringLiteral("s"));
    store.SetInt(QStringLiteral("k"), 2);
    QString error;
    EXPECT_FALSE(store.Save(&error));
    EXPECT_TRUE(error.startsWith(blocker + QStringLiteral("/settings.cfg: "))) << error.toStdString();
    EXPECT_GT(error.size(), blocker.size() + 15);
}

// A file an editor saved in another encoding is written back in it, so that
// characters outside the system code page survive; a system code page file
// that must now hold such a character becomes UTF-8 with its mark.
// The "name" of section "s" as a fresh store reads the two files.
QString NameAfterReload(const QString& defaults, const QString& user)
{
    ProfileStore again;
    again.AddFile(defaults);
    again.AddFile(user);
    again.Load();
    again.SelectSection(QStringLiteral("s"));
    QString read = QStringLiteral("<absent>");
    (void)again.GetString(QStringLiteral("name"), read);
    return read;
}

// A Windows-1252 file whose one invalid line is dropped on saving: what is
// left would be valid UTF-8 in Windows-1252 bytes and read back as other
// text ("Ê‰" as "ʉ"). Its text reads the same after the save.
TEST(ProfileStoreEncoding, AWindows1252FileReadsTheSameAfterASave)
{
    test::TempDir dir;
    platform::ScriptedPrompt prompt{platform::PromptResult::Ok};
    const auto usePrompt = platform::installPrompt(prompt);
    const QString defaults = dir.write(QStringLiteral("d.ini"), "[s]\nk=1\n");
    const QString user = dir.write(QStringLiteral("u.cfg"), "[s]\nname=\xCA\x89\n\xFF\xFE garbage\n");
    const QString name = QString::fromUtf8("\xC3\x8A\xE2\x80\xB0"); // Ê‰
    {
        ProfileStore store;
        store.AddFile(defaults);
        store.AddFile(user);
        store.Load();
        store.SelectSection(QStringLiteral("s"));
        QString read;
        ASSERT_TRUE(store.GetString(QStringLiteral("name"), read));
        ASSERT_EQ(read, name);
        store.SetInt(QStringLiteral("k"), 7);
        ASSERT_TRUE(store.Save());
    }
    EXPECT_EQ(NameAfterReload(defaults, user), name);
}

TEST(ProfileStoreEncoding, TheUserFileKeepsItsEncoding)
{
    const QString name = QStringLiteral("Gr\u00FC\u00DFe \u20AC \u015D \u4E2D");
    const auto utf16 = [](const QString& text, bool le) {
        auto encode = QStringEncoder(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        return QByteArray(le ? "\xFF\xFE" : "\xFE\xFF") + QByteArray(encode(text));
    };
    const QString userText = QStringLiteral("[s]\nname=") + name + QLatin1Char('\n');
    const struct {
        const char* what;
        QByteArray user;
        QByteArray mark;
    } cases[] = {
        {"UTF-16LE", utf16(userText, true), "\xFF\xFE"},
        {"UTF-16BE", utf16(userText, false), "\xFE\xFF"},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + userText.toUtf8(), "\xEF\xBB\xBF"},
        {"UTF-8", userText.toUtf8(), "[s]"},
        {"Windows-1252", "[s]\nname=x\n", "\xEF\xBB\xBF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        const QString defaults = dir.write(QStringLiteral("d.ini"), "[s]\nk=1\n");
        const QString user = dir.write(QStringLiteral("u.cfg"), c.user);
        {
            ProfileStore store;
            store.AddFile(defaults);
            store.AddFile(user);
            store.Load();
            store.SelectSection(QStringLiteral("s"));
            store.SetString(QStringLiteral("name"), name);
            store.SetInt(QStringLiteral("k"), 7);
            ASSERT_TRUE(store.Save());
        }
        EXPECT_TRUE(dir.read(QStringLiteral("u.cfg")).startsWith(c.mark));
        EXPECT_EQ(NameAfterReload(defaults, user), name);
    }
}

} // namespace
