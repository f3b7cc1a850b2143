#pragma once
// The toolbar layout file: section "Toolbars" of a profile file, one key per
// toolbar ("Main", "Construct", "Toolbar_1" to "Toolbar_10") whose value is
// the toolbar's button text (ToolbarButtons::GetButtonsText).
//
// The user's file "\Config\toolbar.cfg" is read when it can be opened,
// otherwise the factory file "\Defaults\toolbar.ini", each as the whole
// layout: a key missing from the file read is an empty toolbar ("0"), never
// looked up in the other file. Only the user's file is ever written.
#include <QString>
#include <QStringList>

#include <map>

namespace shell {

inline constexpr int kUserToolbarCount = 10;

class ToolbarLayout {
public:
    // "Main", "Construct", then "Toolbar_1" .. "Toolbar_10".
    static QStringList Keys();
    // Model paths: below the application folder.
    static QString UserFile();
    static QString DefaultsFile();

    // Reads the layout; every key of Keys() is present afterwards. A value is
    // cut to 1023 characters.
    static ToolbarLayout Read();
    // Writes every key to the user's file. False when it could not be
    // written; the old file is then unchanged.
    [[nodiscard]] bool Write() const;

    QString Get(const QString& key) const;
    void Set(const QString& key, const QString& text) { values_[key] = text; }

private:
    std::map<QString, QString> values_;
};

} // namespace shell
