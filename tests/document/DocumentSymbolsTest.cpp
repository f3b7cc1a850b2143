// Cuir holes, holders, separation rules and stripper boards in the drawing
// file.
#include "document/MorvekDoc.h"

#include "element/Cuir.h"
#include "element/Holder.h"
#include "element/SideSymbol.h"
#include "section/Section.h"

#include <gtest/gtest.h>

namespace {

TEST(DocumentSymbols, SymbolsRoundTripThroughTheFile)
{
    CMorvekDoc doc;
    Section* s = doc.GetSection(0);
    (void)s->AddLine3(0, 0, 100, 0, true, 1);
    (void)s->AddCuirAt(10, 10, 30, 1.5, 12, true);
    (void)s->AddHolder(40, 10, true, 90, 25, true);
    (void)s->AddSeperatingRule(70, 10, true, true);
    (void)s->AddStripperWood(100, 10, true, true);
    (void)s->AddArc3(0, 0, 10, 0, 10, 0, true, 1);
    QByteArray written = doc.WriteFile();

    // Saved and read three times, the file stays the same.
    for (int round = 0; round < 3; ++round) {
        CMorvekDoc read;
        QString error;
        ASSERT_TRUE(read.LoadFile(QStringLiteral("symbols.n"), written, &error)) << error.toStdString();
        const QByteArray again = read.WriteFile();
        ASSERT_TRUE(again == written) << round;
        std::vector<int> types;
        for (auto it = read.GetSection(0)->begin(); it.NotEqual(read.GetSection(0)->end()); it.Next())
            types.push_back(it.Get()->GetTypeId());
        EXPECT_EQ(types, (std::vector<int>{ElementTypeId::Line, ElementTypeId::Cuir, ElementTypeId::Holder,
                                           ElementTypeId::SeperationRule, ElementTypeId::StripperWood,
                                           ElementTypeId::Arc}));
        const Section& r = *read.GetSection(0);
        const auto* cuir = dynamic_cast<const CCuir*>(r.GetElement(1));
        ASSERT_NE(cuir, nullptr);
        EXPECT_EQ(cuir->GetRadius(), 30);
        EXPECT_EQ(cuir->GetAngle(), 1.5);
        EXPECT_EQ(cuir->GetLineType(), CCuir::kLineType);
        EXPECT_EQ(r.Point(cuir->GetNode()), (die::coord{10, 10}));
        const auto* holder = dynamic_cast<const CHolder*>(r.GetElement(2));
        ASSERT_NE(holder, nullptr);
        EXPECT_TRUE(holder->IsVertical());
        EXPECT_EQ(holder->GetLength(), 90);
        EXPECT_EQ(holder->GetWidth(), 25);
        for (int slot : {3, 4}) {
            const auto* symbol = dynamic_cast<const CSideSymbol*>(r.GetElement(slot));
            ASSERT_NE(symbol, nullptr);
            EXPECT_EQ(symbol->GetSide(), 1);
            EXPECT_EQ(symbol->GetNotInstanced(), 1);
        }
        written = again;
    }
}

} // namespace
