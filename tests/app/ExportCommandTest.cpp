// The Output menu's commands on an open drawing, offscreen: the exporter
// behind 10301 writes the drawing; an id past the enabled exporters does
// nothing.
#include "app/DocumentView.h"
#include "app/ExportCommand.h"
#include "app/FileChooser.h"
#include "app/MainWindow.h"
#include "app/MorvekXPApp.h"

#include "common/TempDir.h"
#include "exchange/export/ExportManager.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <gtest/gtest.h>

namespace {

struct ScriptedChooser : app::FileChooser {
    QString Open(QWidget*, const QString&, const QString&) override { return open; }
    QString Save(QWidget*, const QString& folder, const QString& filter) override
    {
        proposed = folder;
        offered = filter;
        return save;
    }
    QString open;
    QString save;
    QString proposed;
    QString offered;
};

TEST(ExportCommand, QtFilterFromTheWindowsForm)
{
    EXPECT_EQ(app::QtFileFilter(QStringLiteral("CF2 files (*.cf2)|*.cf2|All Files (*.*)|*.*||")),
              QStringLiteral("CF2 files (*.cf2);;All Files (*.*)"));
}

TEST(ExportCommand, OutputMenuRunsTheEnabledExporterOnTheDrawing)
{
    test::ScopedTestEnvironment env;
    platform::ScriptedPrompt prompt;
    const auto promptGuard = platform::installPrompt(prompt);
    ScriptedChooser chooser;
    const auto chooserGuard = app::InstallFileChooser(chooser);
    QFile fixture(QStringLiteral(MORVEK_TEST_DATA_DIR "/view/rectangle.n"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QString drawing = env.dir().write(QStringLiteral("rectangle.n"), fixture.readAll());

    CMorvekXPApp morvek;
    auto disabled = Export::CreateExporter(QStringLiteral("hpgl"));
    disabled->SetName(QStringLiteral("Aaa plotter"));
    disabled->SetEnabled(false);
    morvek.GetExportManager().Add(std::move(disabled));
    auto cf2 = Export::CreateExporter(QStringLiteral("cf2"));
    cf2->SetName(QStringLiteral("Cutter"));
    Export::ExportSettings settings = cf2->GetSettings();
    settings.dir_policy = 1;
    settings.dir = env.dir().path();
    cf2->SetSettings(settings);
    morvek.GetExportManager().Add(std::move(cf2));

    app::MainWindow window;
    window.resize(600, 400);
    window.show();
    chooser.open = drawing;
    emit window.commandChosen(app::kOpenCommand);
    QApplication::processEvents();
    ASSERT_NE(window.Documents()->activeSubWindow(), nullptr);

    chooser.save = env.dir().file(QStringLiteral("die")); // the extension is added
    emit window.commandChosen(10301);
    EXPECT_EQ(chooser.proposed, env.dir().file(QStringLiteral("rectangle.n.cf2")));
    EXPECT_EQ(chooser.offered, QStringLiteral("CF2 files (*.cf2);;All Files (*.*)"));
    const QByteArray written = env.dir().read(QStringLiteral("die.cf2"));
    EXPECT_TRUE(written.startsWith("$BOF\r\n"));
    EXPECT_EQ(written.count("\r\nL,"), 5) << written.constData(); // the rectangle and its crease

    chooser.proposed.clear();
    emit window.commandChosen(10302); // only one exporter is enabled
    EXPECT_TRUE(chooser.proposed.isEmpty());

    for (QMdiSubWindow* child : window.Documents()->subWindowList())
        qobject_cast<app::DocumentView*>(child->widget())->AgreeToClose();
    window.Documents()->closeAllSubWindows();
}

} // namespace
