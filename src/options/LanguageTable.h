#pragma once
// The user-visible texts of the program, by numeric text id or by text key,
// read from up to two UTF-8 language files named in the settings (section
// "language", keys "set0" and "set1"). For each text the table keeps the
// translation in the best language of the "order" list ("GER,ENG": German
// first), so a partial translation falls back to another language text by
// text.
//
// Language file: one entry per header line, then its translations:
//   [1003]          a numeric entry (decimal digits only; "[]" is entry 0)
//   [Construct]     a key entry (any other name; keys ignore letter case)
//   ENG=Show        a translation: language code '=' text
// Lines are trimmed; other lines, lines before the file's first header and
// languages absent from the order are ignored. Of two translations in the
// same language the later one wins.
#include "platform/ScopedOverride.h"
#include <QString>
#include <QStringList>

#include <map>

#include "support/NoCaseLess.h"

class ProfileStore;

// A run of consecutive text ids that code computes from a base (the labels
// of numbered fields, a group of radio buttons): declared as one named
// constant beside the code that computes the ids, so that every id of the run
// can be found and checked against the language file.
struct TextIdRange {
    int first = 0;
    int count = 0;

    // The i-th id of the run (i from 0 to count - 1).
    constexpr int At(int i) const { return first + i; }
};

class LanguageTable {
public:
    // Re-reads the settings store and takes the file names and the order from
    // its section "language". An absent or empty "set0"/"set1" names no file;
    // an absent "order" is the empty order. The files are read on the first
    // lookup.
    explicit LanguageTable(ProfileStore& settings);

    // Appends ResolvePath(name) to the files.
    void AddFile(const QString& name);
    // Takes the order again from "order" of the store's current section (the
    // caller has selected "language").
    void ReloadOrder(ProfileStore& settings);
    // Reads every file afresh.
    void Load();

    // The text of the id, or "<id>" when no file has it.
    QString Translate(int id);
    // The text of the key (any letter case), or the key itself.
    QString TranslateKey(const QString& key);

    const QStringList& Files() const { return files_; }
    // Language code -> its position in the order (0 the best).
    const std::map<QString, int>& Priority() const { return priority_; }

    // The process-wide table used by the global shortcuts; null when none.
    static LanguageTable* Current();
    // Makes the table the process-wide one until the guard goes.
    static platform::ScopedOverride<LanguageTable*> Install(LanguageTable& table);

private:
    struct Text {
        int priority = 0;
        QString text;
    };
    // The header in force while a file is read.
    struct Entry {
        bool isKey = false;
        QString key;
        int id = -1; // -1: no entry yet, translations are ignored
    };

    void SetOrder(const QString& order);
    void ReadFile(const QString& path);
    void ReadLine(const QString& line, Entry& entry);
    static void Offer(Text& slot, bool isNew, int priority, const QString& text);
    void EnsureLoaded();

    QStringList files_;
    std::map<QString, int> priority_;
    std::map<int, Text> textsById_;
    std::map<QString, Text, support::NoCaseLess> textsByKey_;
    bool loaded_ = false;
};

// The same lookups on the process-wide table ("<id>" or the key when there is
// none).
QString Translate(int id);
QString TranslateKey(const QString& key);

// The configured languages of the process-wide table (code and position, in
// code order); empty when there is no table.
std::map<QString, int>::const_iterator LanguageOrderBegin();
std::map<QString, int>::const_iterator LanguageOrderEnd();
