#pragma once
// The dialogs with which the user picks a folder or a file for a stored path.
// The model asks through this interface; the GUI installs its folder chooser
// and file-open dialog, tests a scripted chooser. With nothing installed every
// choice is cancelled.
#include "platform/ScopedOverride.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

class PathChooser {
public:
    virtual ~PathChooser() = default;
    // The folder chooser titled "Select folder", starting in initialFolder.
    // True when the user accepted a folder, which is then in folder.
    virtual bool ChooseFolder(const QString& initialFolder, QString& folder) = 0;
    // The file-open dialog, starting at initialPath, with a filter in the
    // Windows form "Name (*.x)|*.x|All Files (*.*)|*.*||". True when the user
    // accepted a file, which is then in path.
    virtual bool ChooseFile(const QString& initialPath, const QString& filter, QString& path) = 0;
};

// The chooser in use: the one installed last, or one that cancels.
PathChooser& pathChooser();

// Installs a chooser until the guard goes; the previous one comes back then.
platform::ScopedOverride<PathChooser*> installPathChooser(PathChooser& chooser);

// Answers from a script, in order (a text accepts it, nothing cancels), and
// records where each dialog started and which filter it had. When the script
// runs out every dialog is cancelled.
class ScriptedPathChooser : public PathChooser {
public:
    void push(std::optional<QString> answer) { answers_.push_back(std::move(answer)); }
    bool ChooseFolder(const QString& initialFolder, QString& folder) override;
    bool ChooseFile(const QString& initialPath, const QString& filter, QString& path) override;

    const QStringList& starts() const { return starts_; }
    const QStringList& filters() const { return filters_; } // empty text for a folder chooser

private:
    bool answer(const QString& start, const QString& filter, QString& out);

    std::deque<std::optional<QString>> answers_;
    QStringList starts_;
    QStringList filters_;
};
