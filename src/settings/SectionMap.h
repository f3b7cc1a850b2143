#pragma once
// The keys of one section of a settings document. Keys are found and ordered
// without regard to letter case and keep the spelling under which they were
// first stored. Reading a value with GetInt, GetDouble or GetString sets its
// type, which then decides how it is compared with the defaults.
#include "settings/ConfigValue.h"
#include "support/NoCaseLess.h"

#include <QString>

#include <map>

class SectionMap {
public:
    using Map = std::map<QString, ConfigValue, support::NoCaseLess>;
    using const_iterator = Map::const_iterator;

    // The stored text; empty when the key is absent (nothing is inserted).
    QString GetText(const QString& key) const;
    // Sets the type code of an existing key (also lowering it).
    bool SetType(const QString& key, int type);

    // When the key exists: sets its type, converts its text (0 when it holds
    // no number) and returns true. Otherwise false, `out` unchanged.
    bool GetInt(const QString& key, int& out);
    bool GetDouble(const QString& key, double& out);
    bool GetString(const QString& key, QString& out);

    // Insert or overwrite text and type: "%d", FormatDouble, the text.
    void SetInt(const QString& key, int value);
    void SetDouble(const QString& key, double value);
    void SetString(const QString& key, const QString& value);

    // Insert or overwrite the text only; a new key starts untyped, an
    // existing one keeps its type.
    void SetText(const QString& key, const QString& text);
    // Null when absent.
    const ConfigValue* Find(const QString& key) const;
    bool Contains(const QString& key) const { return values_.count(key) != 0; }
    void Remove(const QString& key) { values_.erase(key); }

    bool IsEmpty() const { return values_.empty(); }
    std::size_t Size() const { return values_.size(); }
    const_iterator begin() const { return values_.begin(); }
    const_iterator end() const { return values_.end(); }

private:
    ConfigValue* Typed(const QString& key, int type);
    void Set(const QString& key, const QString& text, int type);

    Map values_;
};
