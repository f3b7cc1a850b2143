// Every text id the program can show has English wording in the factory
// language file (Defaults/english.lng, read through the LanguageTable as the
// program reads it). A missing one shows as "<id>" in a dialog, a menu, the
// status bar or an Undo item.
//
// How the ids are collected:
//  - from the sources: every .h and .cpp under src/ is read with its
//    comments, string and character literals blanked out, and these forms
//    are taken as text ids:
//      constexpr int kText... = N;          (also kCaption...; static, inline)
//      constexpr int kText...[] = {N, M};   a list of ids
//      constexpr TextIdRange kText...{N, C}; the run N .. N + C - 1 that code
//                                            computes from a base
//      Translate(N), SetTitle(N)            a literal id handed straight on
//      prompt = N; valuePrompt = N; title = N;  the request's text fields
//    So a text id in code is a named constant whose name starts with kText
//    (or kCaption), or a literal in one of these calls; an integer constant
//    named so that is not a text id gets another name. An id computed inside
//    the lookup (Translate(546 + i), SetTitle(kBase + n)) fails the test: its
//    run must be declared as a TextIdRange beside the code.
//  - from the shell: the name of every catalogued command, and every id the
//    two menu bars ask for while they are built (command names and the
//    popups' category names);
//  - from the hot-key dialog's rows: their captions and descriptions.
// Beside the scan, the settings windows are opened in the started program
// and every text they show is read back: none may be a bare "<id>", and the
// language names are words, not their keys.
#include "app/DefaultMenu.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"
#include "app/WindowSteps.h"
#include "dlg/ExporterSetup.h"
#include "dlg/ExportsEditor.h"
#include "dlg/LanguageChoices.h"
#include "gui/OptionTreeWidget.h"
#include "gui/ToolbarEditor.h"
#include "options/HotKeyCommand.h"
#include "options/LanguageTable.h"
#include "platform/Prompt.h"
#include "settings/ProfileStore.h"
#include "shell/CommandCatalogue.h"
#include "shell/CommandTable.h"
#include "shell/MenuTree.h"

#include "common/TempDir.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

namespace {

// Where each id was found (the first place is enough to name it).
using IdOrigins = std::map<int, QString>;

struct SourceScan {
    IdOrigins ids;
    QStringList computed; // lookups that compute their id from a base
};

// The text with comments, string and character literals replaced by blanks;
// line breaks are kept so that offsets still give line numbers.
QString WithoutCommentsAndLiterals(const QString& text)
{
    QString out = text;
    enum { Code, LineComment, BlockComment, String, Char } state = Code;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out[i];
        const QChar next = i + 1 < out.size() ? out[i + 1] : QChar();
        switch (state) {
        case Code:
            if (c == QLatin1Char('/') && next == QLatin1Char('/'))
                state = LineComment;
            else if (c == QLatin1Char('/') && next == QLatin1Char('*'))
                state = BlockComment;
            else if (c == QLatin1Char('"'))
                state = String;
            else if (c == QLatin1Char('\'') && !(i > 0 && out[i - 1].isDigit())) // not 1'000
                state = Char;
            else
                continue;
            out[i] = QLatin1Char(' ');
            break;
        case LineComment:
            if (c == QLatin1Char('\n'))
                state = Code;
            else
                out[i] = QLatin1Char(' ');
            break;
        case BlockComment:
            if (c == QLatin1Char('*') && next == QLatin1Char('/')) {
                out[i] = out[i + 1] = QLatin1Char(' ');
                ++i;
                state = Code;
            } else if (c != QLatin1Char('\n')) {
                out[i] = QLatin1Char(' ');
            }
            break;
        case String:
        case Char:
            if (c == QLatin1Char('\\') && i + 1 < out.size()) {
                out[i] = out[i + 1] = QLatin1Char(' ');
                ++i;
                break;
            }
            if (c == QLatin1Char(state == String ? '"' : '\''))
                state = Code;
            if (c != QLatin1Char('\n'))
                out[i] = QLatin1Char(' ');
            break;
        }
    }
    return out;
}

void ScanSource(const QString& name, const QString& source, SourceScan& scan)
{
    static const QRegularExpression constant(
        QStringLiteral(R"(\bconstexpr\s+int\s+(k(?:Text|Caption)\w*)\s*=\s*(\d+)\s*;)"));
    static const QRegularExpression list(
        QStringLiteral(R"(\bconstexpr\s+int\s+(k(?:Text|Caption)\w*)\s*\[\s*\d*\s*\]\s*=\s*\{([\d\s,]*)\})"));
    static const QRegularExpression range(
        QStringLiteral(R"(\bconstexpr\s+TextIdRange\s+(k\w+)\s*(?:=\s*)?\{\s*(\d+)\s*,\s*(\d+)\s*\})"));
    static const QRegularExpression literal(
        QStringLiteral(R"(\b(Translate|SetTitle)\s*\(\s*(\d+)\s*\)|\b(prompt|valuePrompt|title)\s*=\s*(\d+)\s*;)"));
    static const QRegularExpression computedId(
        QStringLiteral(R"(\b(?:Translate|SetTitle)\s*\(\s*[\w:.]+\s*(?:\+|-(?!>))[^;)]*\)?)"));
    static const QRegularExpression number(QStringLiteral(R"(\d+)"));

    const QString code = WithoutCommentsAndLiterals(source);
    const auto where = [&](qsizetype offset, const QString& what) {
        return QStringLiteral("%1:%2 (%3)").arg(name).arg(code.left(offset).count(QLatin1Char('\n')) + 1).arg(what);
    };
    const auto add = [&](int id, const QString& origin) {
        if (id > 0)
            scan.ids.emplace(id, origin);
    };
    for (const auto& m : constant.globalMatch(code))
        add(m.captured(2).toInt(), where(m.capturedStart(), m.captured(1)));
    for (const auto& m : list.globalMatch(code)) {
        for (const auto& n : number.globalMatch(m.captured(2)))
            add(n.captured().toInt(), where(m.capturedStart(), m.captured(1)));
    }
    for (const auto& m : range.globalMatch(code)) {
        const TextIdRange run{m.captured(2).toInt(), m.captured(3).toInt()};
        for (int i = 0; i < run.count; ++i)
            add(run.At(i), where(m.capturedStart(), m.captured(1)));
    }
    for (const auto& m : literal.globalMatch(code)) {
        const bool call = m.capturedLength(1) > 0;
        add(m.captured(call ? 2 : 4).toInt(), where(m.capturedStart(), m.captured(call ? 1 : 3)));
    }
    for (const auto& m : computedId.globalMatch(code))
        scan.computed.append(where(m.capturedStart(), m.captured().simplified()));
}

SourceScan ScanSources(const QString& folder, int& files)
{
    SourceScan scan;
    files = 0;
    QDirIterator it(folder, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        ScanSource(QDir(folder).relativeFilePath(file.fileName()), QString::fromUtf8(file.readAll()), scan);
        ++files;
    }
    return scan;
}

// The ids the shell shows: catalogued command names and what the menus ask
// for while they are built.
IdOrigins ShellIds()
{
    IdOrigins ids;
    shell::CommandCatalogue catalogue;
    catalogue.Build();
    for (const auto& [command, entry] : catalogue.GetCommands()) {
        if (entry.nameId > 0)
            ids.emplace(entry.nameId, QStringLiteral("name of command %1").arg(command));
    }
    // The command table's names and status-bar tips, catalogued or not.
    for (const shell::CommandRow& row : shell::CommandRows()) {
        const int command = static_cast<int>(row.id);
        if (row.nameId > 0)
            ids.emplace(row.nameId, QStringLiteral("name of command %1").arg(command));
        if (row.tooltipId > 0)
            ids.emplace(row.tooltipId, QStringLiteral("tip of command %1").arg(command));
    }
    for (const auto& [menu, items] : {std::pair{"menu without a drawing", DefaultMenu()},
                                      std::pair{"menu with a drawing", DocumentMenu()}}) {
        const QString origin = QString::fromLatin1(menu);
        (void)shell::MenuTree(items).Build(catalogue, [&](int id) { // only the lookups count
            ids.emplace(id, origin);
            return QString();
        });
    }
    return ids;
}

IdOrigins HotKeyRowIds()
{
    IdOrigins ids;
    HotKeyCommandTable rows;
    FillHotKeyCommands(rows);
    for (const HotKeyCommand& row : rows) {
        ids.emplace(row.captionId, QStringLiteral("hot-key row %1").arg(row.valueName));
        ids.emplace(row.descriptionId, QStringLiteral("hot-key row %1").arg(row.valueName));
    }
    return ids;
}

// The recognised forms, and what is not a text id, on a small source.
TEST(TextIdCoverage, RecognisesTheDeclaredFormsOnly)
{
    const QString source = QStringLiteral(R"src(
        constexpr int kTextTitle = 11;
        static constexpr int kCaptionMain = 12;
        constexpr int kTextStyles[] = {13, 14};
        constexpr TextIdRange kTextFields{15, 3};
        void f() { Translate(21); request->SetTitle(22); step.prompt = 23; step.valuePrompt = 24; }
        constexpr double kTextOffset = 5.0;
        constexpr int kMaxLength = 199;
        // Translate(31) in a comment
        /* constexpr int kTextOld = 32; */
        const char* s = "Translate(33)"; char q = '"'; int n = 1'000; Translate(34);
        void g(int i) { Translate(546 + i); SetTitle(kTextBase + i); Translate(-1); SetTitle(-1); Translate(s->title); }
    )src");
    SourceScan scan;
    ScanSource(QStringLiteral("fixture.cpp"), source, scan);
    std::set<int> found;
    for (const auto& entry : scan.ids)
        found.insert(entry.first);
    EXPECT_EQ(found, (std::set<int>{11, 12, 13, 14, 15, 16, 17, 21, 22, 23, 24, 34}));
    ASSERT_EQ(scan.computed.size(), 2);
    EXPECT_TRUE(scan.computed[0].startsWith(QStringLiteral("fixture.cpp:12 (Translate(546 + i)")));
    EXPECT_TRUE(scan.computed[1].contains(QStringLiteral("SetTitle(kTextBase + i)")));
    EXPECT_TRUE(scan.ids.at(16).contains(QStringLiteral("kTextFields"))) << scan.ids.at(16).toStdString();
}

TEST(TextIdCoverage, EveryTextTheProgramShowsHasEnglishWording)
{
    int files = 0;
    const SourceScan scan = ScanSources(QStringLiteral(MORVEK_SOURCE_DIR "/src"), files);
    EXPECT_TRUE(scan.computed.isEmpty()) << "text ids computed in the lookup; declare the run as a TextIdRange:\n"
                                         << scan.computed.join(QLatin1Char('\n')).toStdString();

    IdOrigins ids = scan.ids;
    ids.merge(ShellIds());
    ids.merge(HotKeyRowIds());

    // The scan sees every form in the real sources: a constant of a header,
    // a list, a computed run, a literal in the lookup, a request field.
    ASSERT_GT(files, 100);
    for (const auto& [id, name] : std::map<int, const char*>{{404, "kTextCaptionModify"},
                                                              {374, "kTextStyles"},
                                                              {629, "kTextAxisChoices"},
                                                              {364, "kTextFirstPoint"}}) {
        ASSERT_EQ(ids.count(id), 1u) << id;
        EXPECT_TRUE(ids.at(id).contains(QLatin1String(name))) << ids.at(id).toStdString();
    }
    EXPECT_EQ(ids.count(543), 1u) << "Translate(543) of the line-type properties";

    // The factory files as the program reads them.
    test::ScopedTestEnvironment env;
    for (const char* name : {"settings.ini", "english.lng"}) {
        QFile file(QStringLiteral(MORVEK_SOURCE_DIR "/Defaults/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        env.dir().write(QStringLiteral("app/Defaults/") + QLatin1String(name), file.readAll());
    }
    ProfileStore settings;
    settings.AddFile(QStringLiteral("\\Defaults\\settings.ini"));
    settings.AddFile(QStringLiteral("\\Config\\settings.cfg"));
    LanguageTable language(settings);

    QStringList missing;
    for (const auto& [id, origin] : ids) {
        const QString text = language.Translate(id);
        if (text.isEmpty() || text == QStringLiteral("<%1>").arg(id))
            missing.append(QStringLiteral("%1  %2").arg(id).arg(origin));
    }
    EXPECT_TRUE(missing.isEmpty()) << "text ids without English wording in Defaults/english.lng:\n"
                                   << missing.join(QLatin1Char('\n')).toStdString();
}

// The rows of a property grid: labels, values, descriptions, combo entries.
void GridTexts(const gui::COptionTreeItem& item, QStringList& texts)
{
    texts << item.GetLabelText() << item.ValueText() << item.GetInfoText();
    if (const auto* combo = dynamic_cast<const gui::COptionTreeItemComboBox*>(&item))
        for (int i = 0; i < combo->Count(); ++i)
            texts << combo->EntryText(i);
    for (const auto& child : item.Children())
        GridTexts(*child, texts);
}

// Every text the window and its children show.
QStringList ShownTexts(QWidget& window)
{
    QStringList texts{window.windowTitle()};
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* w : widgets) {
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            texts << group->title();
        else if (auto* field = qobject_cast<QLineEdit*>(w))
            texts << field->text() << field->placeholderText();
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        else if (auto* list = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i)
                texts << list->item(i)->text();
        else if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            for (int c = 0; c < tree->columnCount(); ++c)
                texts << tree->headerItem()->text(c);
            for (QTreeWidgetItemIterator it(tree); *it; ++it)
                for (int c = 0; c < tree->columnCount(); ++c)
                    texts << (*it)->text(c);
        } else if (auto* grid = qobject_cast<gui::OptionTreeWidget*>(w)) {
            texts << grid->InfoTitle() << grid->InfoText();
            GridTexts(*grid->Tree().Root(), texts);
        }
    }
    return texts;
}

QAction* MenuCommand(const QList<QAction*>& actions, int command)
{
    for (QAction* action : actions) {
        if (QMenu* menu = action->menu()) {
            if (QAction* found = MenuCommand(menu->actions(), command))
                return found;
        } else if (action->data().isValid() && action->data().toInt() == command) {
            return action;
        }
    }
    return nullptr;
}

// Reads the texts of the modal window the next step opens, then runs
// `inside` on it (which may open further windows) and cancels it.
void ReadModal(const QString& name, std::map<QString, QStringList>& shown,
               const std::function<void(QDialog&)>& inside = {})
{
    QTimer::singleShot(0, [name, &shown, inside] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shown[name] = ShownTexts(*dialog);
        if (inside)
            inside(*dialog);
        dialog->reject();
    });
}

TEST(TextIdCoverage, TheSettingsWindowsShowWordsOnly)
{
    test::ScopedTestEnvironment env;
    const QString defaults = QStringLiteral(MORVEK_SOURCE_DIR "/Defaults");
    for (const QString& name : QDir(defaults).entryList(QDir::Files))
        QFile::copy(defaults + QLatin1Char('/') + name, env.appFolder() + QStringLiteral("/Defaults/") + name);
    platform::ScriptedPrompt prompt;
    const auto usePrompt = platform::installPrompt(prompt);
    CMorvekXPApp morvek;
    app::MainWindow window;
    dlg::QtExporterConfigurator configurator(&window);
    const auto useConfigurator = Export::installExporterConfigurator(configurator);
    app::WindowSteps steps(window, morvek);
    ASSERT_FALSE(morvek.InitInstance(&steps).has_value());
    MenuCommand(window.menuBar()->actions(), kNewCommand)->trigger();
    QApplication::processEvents();

    std::map<QString, QStringList> shown;
    const auto run = [&](int command) {
        QAction* action = MenuCommand(window.menuBar()->actions(), command);
        ASSERT_NE(action, nullptr) << command;
        action->trigger();
        QApplication::processEvents();
    };
    const std::pair<const char*, int> dialogs[] = {
        {"Options > Display", 32841}, {"Options > Language", 207}, {"Options > Path", 32842}, {"Options > Hot Key", 32848}};
    for (const auto& [name, command] : dialogs) {
        ReadModal(QString::fromLatin1(name), shown);
        run(command);
    }
    // The exporter list, its declare dialog and every factory exporter's setup.
    ReadModal(QStringLiteral("Output > Options"), shown, [&shown](QDialog& dialog) {
        auto& editor = static_cast<dlg::ExportsEditor&>(dialog);
        ReadModal(QStringLiteral("declare"), shown);
        editor.Add();
        for (int i = 0; i < editor.List()->topLevelItemCount(); ++i) {
            QTreeWidgetItem* row = editor.List()->topLevelItem(i);
            editor.List()->setCurrentItem(row);
            ReadModal(QStringLiteral("setup of ") + row->text(1), shown);
            editor.Configure();
        }
    });
    run(32796);
    run(358); // View > Edit Toolbars
    ASSERT_NE(window.OpenToolbarEditor(), nullptr);
    shown[QStringLiteral("toolbar editor")] = ShownTexts(*window.OpenToolbarEditor());
    window.OpenToolbarEditor()->close();
    QApplication::processEvents();

    EXPECT_EQ(shown.size(), 11u); // four Options windows, list, declare, four setups, editor
    static const QRegularExpression number(QStringLiteral(R"(<\d+>)"));
    for (const auto& [name, texts] : shown) {
        EXPECT_GT(texts.join(QString()).size(), 0) << name.toStdString();
        for (const QString& text : texts)
            EXPECT_FALSE(number.match(text).hasMatch()) << name.toStdString() << ": " << text.toStdString();
    }
    for (int i = 0; i < dlg::kLanguageCount; ++i)
        EXPECT_NE(dlg::LanguageLabel(i), dlg::LanguageCode(i)) << "a language shown by its key";
    EXPECT_TRUE(prompt.texts().isEmpty()) << prompt.texts().join(QLatin1Char('\n')).toStdString();

    window.close();
    QApplication::processEvents();
    EXPECT_TRUE(morvek.ExitInstance());
}

} // namespace
