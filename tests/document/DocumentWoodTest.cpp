#include "document/MorvekDoc.h"

#include "element/Wood.h"
#include "section/Section.h"

#include <gtest/gtest.h>

namespace {

CWood* BoardOf(CMorvekDoc& doc)
{
    for (CElement* e : *doc.GetSection(0)) {
        if (auto* board = dynamic_cast<CWood*>(e))
            return board;
    }
    return nullptr;
}

TEST(DocumentWood, BoardKeepsItsRecordsOverSaveAndLoad)
{
    CMorvekDoc doc;
    Section* section = doc.GetSection(0);
    (void)section->AddLine3(0, 0, 200, 100, true, 1);
    CWood* board = dynamic_cast<CWood*>(section->AddWood(40, 60, 40, 20, 8).Get());
    ASSERT_NE(board, nullptr);
    board->Values().text = QStringLiteral("Auftrag 17");
    (void)board->AddRecord({2, 3, 4.5, 6.5});
    const std::vector<WoodRecord> records = board->GetRecords();
    ASSERT_EQ(records.size(), 11u);

    QByteArray bytes = doc.WriteFile();
    for (int round = 0; round < 3; ++round) {
        CMorvekDoc read;
        QString error;
        ASSERT_TRUE(read.LoadFile(QStringLiteral("board.n"), bytes, &error)) << error.toStdString();
        CWood* loaded = BoardOf(read);
        ASSERT_NE(loaded, nullptr) << round;
        EXPECT_EQ(loaded->GetRecords(), records) << round;
        EXPECT_EQ(loaded->Values(), board->Values()) << round;
        // The loaded board frames its section's layout.
        EXPECT_EQ(loaded->GetElementsBorders(), (WoodBox{0, 100, 200, 0})) << round;
        bytes = read.WriteFile();
    }
}

} // namespace
