#pragma once
// A settings file pair read as two levels of one store: the factory defaults
// (".ini" under Defaults) below the user's file (".cfg" under Config). A value
// is looked up from the user level down, values set by the program go into
// the user level, and saving writes to the user file only what differs from
// the defaults.
//
// Section names and keys read from a file are lower-cased and compared
// exactly; the setters store names and keys as given.
#include "settings/UserFile.h"

#include <QString>
#include <QStringView>

#include <array>
#include <map>
#include <set>

struct ProfileValue {
    int type = 0;   // ConfigType: how the value was last read or written
    QString text;
};

using ProfileSection = std::map<QString, ProfileValue>;

struct ProfileLevel {
    QString path;
    QString parseSection;   // the section being read; empty: key lines are ignored
    std::map<QString, ProfileSection> sections;
    // The section chosen by the last SelectSection that visited this level,
    // or null. Reset whenever `sections` is emptied, so it never dangles.
    ProfileSection* current = nullptr;
    settings::FileOrigin origin;   // how the file was found when it was last read
};

class ProfileStore {
public:
    ProfileStore() = default;
    ~ProfileStore() = default;   // does not save
    ProfileStore(const ProfileStore&) = delete;
    ProfileStore& operator=(const ProfileStore&) = delete;

    // Appends a level (the defaults first, then the user's file); nothing is
    // read. A path may be Windows-style ("\Defaults\settings.ini"). False,
    // and nothing added, when the store has two levels already.
    bool AddFile(const QString& path);

    // Reads every level's file (replacing what the level held) and returns
    // the names of the section headers read, over all levels. A level whose
    // file does not exist is emptied; one whose file exists but does not
    // open keeps what it held. Select a section before reading.
    std::set<QString> Load();
    // One line of a level's file. False when the line was not understood
    // (it is then ignored): not text, or neither a header nor a key line.
    bool ParseLine(int level, QStringView line);

    // Makes the section of this name current in the levels 0 .. top-skipTop;
    // levels above are left as they were. True when a visited level has it.
    bool SelectSection(const QString& name, int skipTop = 0);
    // The text of the key in the highest level, from top-skipTop down, whose
    // current section holds it.
    bool Lookup(const QString& key, QString& out, int skipTop = 0) const;

    // Lookup from the top, then RaiseType to 4, 2 or 1 and convert (0 when
    // the text holds no number). False, `out` unchanged, when absent.
    bool GetString(const QString& key, QString& out);
    bool GetDouble(const QString& key, double& out);
    bool GetInt(const QString& key, int& out);
    // In every level whose current section holds the key, raises its type to
    // `type` when lower.
    void RaiseType(const QString& key, int type);

    // Store the text ("%d", "%.4f", as given) in the user level, then raise
    // the type to 1, 2 or 4.
    void SetInt(const QString& key, int value);
    void SetDouble(const QString& key, double value);
    void SetString(const QString& key, const QString& value);
    // In the top level: finds or creates the section named by the last
    // SelectSection, makes it current and sets the key to {0, text}.
    void Store(const QString& key, const QString& text);
    // Removes the key from the top level's current section, when there.
    void RemoveKey(const QString& key);
    // Empties the top level (before rewriting all of it); select a section
    // again before setting values.
    void ClearTop();

    // Fills Difference() with the " key=value" lines of the top level that
    // are absent from the levels below or differ from them by type.
    void BuildDiff();
    // With two levels: builds the difference and replaces the user file with
    // it (see settings::WriteUserFile: in the encoding it was read in, only
    // when its content changes, a damaged file kept beside). False, with the
    // reason in *error when given, when there are fewer than two levels or
    // the file could not be written; the old file is then unchanged.
    [[nodiscard]] bool Save(QString* error = nullptr);

    int LevelCount() const { return levelCount_; }
    const QString& CurrentSectionName() const { return currentSectionName_; }
    const std::map<QString, std::set<QString>>& Difference() const { return difference_; }

private:
    ProfileLevel* Top();
    // Lookup from the top, then RaiseType when found.
    bool LookupAs(const QString& key, int type, QString& out);
    QString DifferenceText() const;

    int levelCount_ = 0;
    std::array<ProfileLevel, 2> levels_;
    QString currentSectionName_;
    std::map<QString, std::set<QString>> difference_;
    std::set<QString> sectionNames_;
};
