#pragma once
// The application's registry profile (the maker key "Pelkam" and the
// application's name) kept in an ini file in the user's configuration
// folder through QSettings. Sections and value names are the registry's.
#include <QByteArray>
#include <QString>

namespace platform {

class Registry {
public:
    // The file that holds the profile: the path set with setFilePath(), else
    // userConfigFolder() + "registry.ini".
    static QString filePath();
    static void setFilePath(const QString& path); // empty: back to the default

    static int getInt(const QString& section, const QString& key, int defaultValue);
    static QString getString(const QString& section, const QString& key, const QString& defaultValue = QString());
    // False when the value does not exist; out is then unchanged.
    static bool getBinary(const QString& section, const QString& key, QByteArray& out);
    static bool contains(const QString& section, const QString& key);

    // False when the profile could not be written.
    [[nodiscard]] static bool writeInt(const QString& section, const QString& key, int value);
    [[nodiscard]] static bool writeString(const QString& section, const QString& key, const QString& value);
    [[nodiscard]] static bool writeBinary(const QString& section, const QString& key, const QByteArray& value);
    static bool remove(const QString& section, const QString& key);
};

// Groups registry writes so the profile file is written once, when the
// outermost batch ends, instead of once per value (saving a list of
// thousands of entries otherwise rewrites the whole file thousands of
// times). Reads inside the batch see the values written so far. The writes
// of a batch report success; commit() tells whether the file was written.
class RegistryBatch {
public:
    RegistryBatch();
    ~RegistryBatch();
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;

    // Ends the batch now; false when the profile could not be written.
    // An inner batch commits nothing and returns true.
    [[nodiscard]] bool commit();

private:
    bool open_ = true;
};

} // namespace platform
