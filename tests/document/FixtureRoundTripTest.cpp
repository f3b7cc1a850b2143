// Every drawing file kept as a test fixture, once saved, and a drawing whose
// rules carry none, one, a few and the most bridges, save back to the bytes
// they were read from: how the elements hold their bridges is no business
// of the file.
#include "document/MorvekDoc.h"

#include "element/Bridge.h"
#include "element/Element.h"
#include "section/Section.h"

#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(FixtureRoundTrip, EveryDrawingFixtureOnceSavedSavesToTheBytesItWasReadFrom)
{
    int files = 0;
    QDirIterator it(QStringLiteral(MORVEK_TEST_DATA_DIR), {QStringLiteral("*.n")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        SCOPED_TRACE(path.toStdString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        CMorvekDoc doc;
        QString error;
        if (!doc.LoadFile(path, bytes, &error))
            continue; // a fixture of a damaged drawing; its refusal is tested where it is used
        ++files;
        // A save (with its cleanup), read and saved again, is the same.
        const QByteArray saved = doc.WriteFile();
        CMorvekDoc again;
        ASSERT_TRUE(again.LoadFile(path, saved, &error)) << error.toStdString();
        EXPECT_TRUE(again.WriteFile() == saved);
    }
    EXPECT_GT(files, 0);
}

TEST(FixtureRoundTrip, BridgesByHandOfEveryCountSaveAsRead)
{
    CMorvekDoc doc;
    Section* s = doc.GetSection(0);
    for (const int count : {0, 1, 4, 5, BridgeList::MaxCount}) {
        auto line = s->AddLine3(0, count * 10.0, 1000, count * 10.0, true, 1);
        ASSERT_NE(line.Get(), nullptr);
        std::vector<Bridge> bridges;
        for (int i = 0; i < count; ++i)
            bridges.push_back(Bridge{i == 0 ? 555 : 0, 2.0 + i * 9.5, 1.5 + i * 0.01});
        line.Get()->SetBridgeMode(BridgeMode::ByHand);
        line.Get()->SetBridges(bridges);
        ASSERT_EQ(line.Get()->GetBridges().Count(), count);
    }
    const QByteArray written = doc.WriteFile();
    CMorvekDoc read;
    QString error;
    ASSERT_TRUE(read.LoadFile(QStringLiteral("bridges.n"), written, &error)) << error.toStdString();
    std::vector<int> counts;
    Section* r = read.GetSection(0);
    for (auto e = r->begin(); e.NotEqual(r->end()); e.Next())
        counts.push_back(e.Get()->GetBridges().Count());
    EXPECT_EQ(counts, (std::vector<int>{0, 1, 4, 5, BridgeList::MaxCount}));
    EXPECT_TRUE(read.WriteFile() == written);
}

} // namespace
