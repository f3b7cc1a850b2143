#include "shell/ToolbarDragItem.h"

#include "shell/CommandCatalogue.h"

#include <gtest/gtest.h>

namespace {

using shell::ToolbarDragItem;

TEST(ToolbarDragItem, TravelsAsTwoLittleEndianInts)
{
    const QByteArray payload = ToolbarDragItem{57600, 3}.Serialize();
    EXPECT_EQ(payload, QByteArray::fromHex("00e1000003000000"));
    shell::CommandCatalogue catalogue;
    catalogue.Build();
    const auto item = ToolbarDragItem::Read(payload, catalogue);
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->commandId, 57600);
    EXPECT_EQ(item->buttonIndex, 3);
}

TEST(ToolbarDragItem, RefusesPayloadsOfWrongSizeOrUnknownCommands)
{
    shell::CommandCatalogue catalogue;
    catalogue.Build();
    const struct {
        QByteArray payload;
        bool accepted;
    } cases[] = {
        {ToolbarDragItem{-1, 0}.Serialize(), true},              // a separator
        {ToolbarDragItem{99999, 0}.Serialize(), false},          // not a command
        {ToolbarDragItem{0, 0}.Serialize(), false},              // the placeholder is never dragged
        {ToolbarDragItem{57600, -2}.Serialize(), false},
        {QByteArray::fromHex("00e10000"), false},                // short
        {QByteArray::fromHex("00e100000000000000"), false},      // long
        {QByteArray(), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToolbarDragItem::Read(c.payload, catalogue).has_value(), c.accepted) << c.payload.toHex().constData();
}

} // namespace
