// Saved drawings keep their bytes: every drawing file under tests/data, the
// native fuzz seeds, small files of every older format version and a drawing
// holding one element of every type are opened and saved, and the saved bytes
// are compared with the saves kept under tests/data/native-saved.
// MORVEK_REWRITE_SAVED=1 writes those saves anew (only after a deliberate
// change of the file layout).
#include "document/MorvekDoc.h"

#include "element/BobstAsm.h"
#include "element/BobstHoles.h"
#include "element/Cuir.h"
#include "element/Ellipse.h"
#include "element/Holder.h"
#include "element/Martin.h"
#include "element/Measure.h"
#include "element/NodePoint.h"
#include "element/SideSymbol.h"
#include "element/Spline.h"
#include "element/Text.h"
#include "element/Wood.h"
#include "exchange/native/NativeFixture.h"
#include "section/Section.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

const QString kDataDir = QStringLiteral(MORVEK_TEST_DATA_DIR);
const QString kSavedDir = kDataDir + QStringLiteral("/native-saved/");

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One element of every type the drawing file holds, over a few nodes.
QByteArray EveryTypeDrawing()
{
    CMorvekDoc doc;
    Section* s = doc.GetSection(0);
    NodeTable& n = doc.Nodes();
    const int c = n.AddPoint(0, 0, true);
    const int a = n.AddPoint(20, 0, true);
    const int b = n.AddPoint(0, 10, true);
    const int p = n.AddPoint(-20, 0, true);
    const int h = n.AddPoint(35.5, -12.25, true);

    (void)s->AddLine3(0, 0, 100, 0, true, 1);
    (void)s->AddArc3(50, 0, 100, 0, 0, 0, true, 1);
    auto ellipse = std::make_unique<CEllipse>(&n, nullptr, 0);
    ellipse->SetCentreNode(c);
    ellipse->SetMajorNode(a);
    ellipse->SetMinorNode(b);
    ellipse->SetStartNode(a);
    ellipse->SetEndNode(p);
    (void)s->AddBuilt(std::move(ellipse));
    auto spline = std::make_unique<CSpline>(&n, nullptr, 0);
    for (int node : {a, b, p})
        spline->AddNode(node);
    spline->SetSamplesPerSegment(7);
    (void)s->AddBuilt(std::move(spline));
    auto text = std::make_unique<CText>(&n, nullptr, 0);
    text->SetNodes(b, c, a);
    text->SetText(QStringLiteral("Klappe Ä"));
    text->SetMirrored(1);
    (void)s->AddBuilt(std::move(text));
    auto measure = std::make_unique<CMeasure>(&n, nullptr, 0);
    measure->SetKind(1204);
    measure->SetNodes(a, b, c, p);
    measure->SetInstances({1, 2, 0});
    (void)s->AddBuilt(std::move(measure));
    auto* board = dynamic_cast<CWood*>(s->AddWood(40, 60, 40, 20, 8).Get());
    if (board) {
        board->Values().text = QStringLiteral("Auftrag 17");
        (void)board->AddRecord({2, 3, 4.5, 6.5});
    }
    auto cuir = std::make_unique<CCuir>(&n, nullptr, 0);
    cuir->SetNode(h);
    cuir->SetAngle(0.5);
    cuir->SetWingLength(7.25);
    cuir->SetRadius(3.5);
    (void)s->AddBuilt(std::move(cuir));
    auto bobstAsm = std::make_unique<CBobstAsm>(&n, nullptr, 0);
    bobstAsm->SetNode(h);
    BobstAsmParams params;
    params.kind = 3;
    params.openingAngle = 1.25;
    params.innerRadius = 9.0;
    params.outerRadius = 14.5;
    params.rotation = 0.75;
    bobstAsm->SetParams(params);
    (void)s->AddBuilt(std::move(bobstAsm));
    auto holder = std::make_unique<CHolder>(&n, nullptr, 0);
    holder->SetNode(p);
    holder->SetVertical(true);
    holder->SetSize(42.0, 6.5);
    (void)s->AddBuilt(std::move(holder));
    auto bobst = std::make_unique<CBobst>(&n, nullptr, 0);
    bobst->SetNode(a);
    (void)s->AddBuilt(std::move(bobst));
    auto bobstSp = std::make_unique<CBobstSP>(&n, nullptr, 0);
    bobstSp->SetNode(b);
    (void)s->AddBuilt(std::move(bobstSp));
    auto martin = std::make_unique<CMartin>(&n, nullptr, 0);
    martin->SetNode(c);
    martin->SetCounts(3, 2);
    (void)s->AddBuilt(std::move(martin));
    auto rule = std::make_unique<CSeperationRule>(&n, nullptr, 0);
    rule->SetNode(a);
    rule->SetSide(true);
    (void)s->AddBuilt(std::move(rule));
    auto stripper = std::make_unique<CStripperWood>(&n, nullptr, 0);
    stripper->SetNode(b);
    (void)s->AddBuilt(std::move(stripper));
    return doc.WriteFile();
}

// Each source: a name for its kept save and the bytes to open.
std::vector<std::pair<QString, QByteArray>> Sources()
{
    std::vector<std::pair<QString, QByteArray>> sources;
    const QDir data(kDataDir);
    QDirIterator files(kDataDir, {QStringLiteral("*.n")}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (path.startsWith(kSavedDir))
            continue;
        sources.emplace_back(data.relativeFilePath(path).replace(QLatin1Char('/'), QLatin1Char('_')),
                             ReadAll(path));
    }
    const QString seeds = kDataDir + QStringLiteral("/../../fuzz/seeds/native_drawing");
    for (const QString& name : QDir(seeds).entryList(QDir::Files, QDir::Name))
        sources.emplace_back(QStringLiteral("seed_") + name, ReadAll(seeds + QLatin1Char('/') + name));
    for (int version = 1; version <= 15; ++version) {
        nativetest::FixtureOptions o;
        o.version = version;
        sources.emplace_back(QStringLiteral("version_%1").arg(version), nativetest::OldFile(o));
    }
    sources.emplace_back(QStringLiteral("every_type"), EveryTypeDrawing());
    std::sort(sources.begin(), sources.end());
    return sources;
}

TEST(NativeSaveBytes, EveryFixtureSavesToItsKeptBytes)
{
    const bool rewrite = qEnvironmentVariableIntValue("MORVEK_REWRITE_SAVED") == 1;
    const auto sources = Sources();
    ASSERT_GE(sources.size(), 25u);
    for (const auto& [name, bytes] : sources) {
        CMorvekDoc doc;
        QString error;
        ASSERT_TRUE(doc.LoadFile(QStringLiteral("saved.n"), bytes, &error)) << name.toStdString() << ": "
                                                                             << error.toStdString();
        const QByteArray saved = doc.WriteFile();
        const QString keptPath = kSavedDir + name + QStringLiteral(".saved");
        if (rewrite) {
            QDir().mkpath(kSavedDir);
            QFile out(keptPath);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(saved);
            continue;
        }
        const QByteArray kept = ReadAll(keptPath);
        ASSERT_FALSE(kept.isEmpty()) << "no kept save " << keptPath.toStdString();
        EXPECT_TRUE(saved == kept) << name.toStdString() << " saves to other bytes (" << saved.size() << " vs "
                                   << kept.size() << ")";
    }
}

// A drawing whose elements reach far (a fuzzed file) saves, opens and saves
// again to the same bytes: the header's extents do not depend on positions
// the file does not keep.
TEST(NativeSaveBytes, SaveOpenSaveKeepsTheBytes)
{
    const QByteArray file = ReadAll(kDataDir + QStringLiteral("/native-roundtrip/extents-differ"));
    ASSERT_FALSE(file.isEmpty());
    CMorvekDoc first;
    QString error;
    ASSERT_TRUE(first.LoadFile(QStringLiteral("far.n"), file, &error)) << error.toStdString();
    const QByteArray saved = first.WriteFile();
    CMorvekDoc second;
    ASSERT_TRUE(second.LoadFile(QStringLiteral("far.n"), saved, &error)) << error.toStdString();
    const QByteArray again = second.WriteFile();
    EXPECT_EQ(saved.size(), again.size());
    EXPECT_TRUE(saved == again);
}

// An edit after opening moves the middle of the elements that the instances
// turn about when the file is opened again; the saved extents are those of
// the opened file, so it saves to the same bytes.
TEST(NativeSaveBytes, EditedDrawingSavesAsItReopens)
{
    CMorvekDoc doc;
    Section* s = doc.GetSection(0);
    (void)s->AddLine3(0, 0, 100, 0, true, 1);
    s->NewInstance(0.0, 0.0, 0.0);
    s->NewInstance(150.0, 0.0, 90.0);
    CMorvekDoc opened;
    QString error;
    ASSERT_TRUE(opened.LoadFile(QStringLiteral("edited.n"), doc.WriteFile(), &error)) << error.toStdString();
    (void)opened.GetSection(0)->AddLine3(0, 0, 0, 40, true, 1);
    const QByteArray saved = opened.WriteFile();
    CMorvekDoc again;
    ASSERT_TRUE(again.LoadFile(QStringLiteral("edited.n"), saved, &error)) << error.toStdString();
    EXPECT_TRUE(again.WriteFile() == saved);
}

} // namespace
