#pragma once
// What the extended standard editor's tests share: a file asker and a
// component editing that answer from a script, and drawings written with
// the variables a test names.
#include "common/LanguageTestSupport.h"
#include "common/TempDir.h"
#include "dlg/SpecStandardEditor.h"
#include "dlg/StandardFileAsker.h"
#include "document/MorvekDoc.h"
#include "formula/FormulaTable.h"
#include "platform/Prompt.h"

#include <QImage>
#include <QWidget>

#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace test {

class ScriptedFileAsker : public dlg::StandardFileAsker {
public:
    struct Call {
        QString folder;
        QString fileName; // the proposed name of a save dialog
        bool save = false;
    };
    std::deque<QString> answers; // an empty answer cancels
    std::vector<Call> calls;

    QString Open(const QString& folder, const QString&, const QString&) override
    {
        calls.push_back({folder, QString(), false});
        return Next();
    }
    QString Save(const QString& folder, const QString& fileName, const QString&, const QString&) override
    {
        calls.push_back({folder, fileName, true});
        return Next();
    }

private:
    QString Next()
    {
        if (answers.empty())
            return QString();
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
};

// Each Edit runs the next step on the component; a step returning false
// cancels. Without steps every Edit cancels.
class ScriptedComponentEditing : public dlg::ComponentEditing {
public:
    std::deque<std::function<bool(SpecStandardComponent&)>> steps;
    std::vector<QString> seenNames;
    std::vector<QString> seenStandardFiles;

    bool Edit(SpecStandardComponent& component, const QString& standardFile) override
    {
        seenNames.push_back(component.name);
        seenStandardFiles.push_back(standardFile);
        if (steps.empty())
            return false;
        auto step = std::move(steps.front());
        steps.pop_front();
        return step(component);
    }
};

// A drawing file whose variables are the six defaults and the given
// (name, formula) pairs.
inline QString WriteDrawingWith(const TempDir& dir, const QString& relative,
                                const std::vector<std::pair<QString, QString>>& variables)
{
    CMorvekDoc doc;
    for (const auto& [name, formula] : variables)
        doc.Variables().AddVariable(name, formula, QStringLiteral("own description"), 1000, true);
    return dir.write(relative, doc.WriteDrawing());
}

// The widget's picture; also saved as <name>.png into the folder that
// MORVEK_SCREENSHOT_DIR names, when set (run under Xvfb to look at it).
inline QImage GrabWidget(QWidget& widget, const QString& name)
{
    const QImage picture = widget.grab().toImage();
    const QString folder = qEnvironmentVariable("MORVEK_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        picture.save(folder + u'/' + name + QStringLiteral(".png"));
    return picture;
}

} // namespace test
