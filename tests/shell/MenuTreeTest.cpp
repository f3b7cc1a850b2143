#include "shell/MenuTree.h"

#include "shell/CommandCatalogue.h"

#include <gtest/gtest.h>

namespace {

using shell::BuiltMenuItem;
using shell::MenuItemSource;
using shell::MenuTree;

MenuItemSource Command(int id, const char* text)
{
    return MenuItemSource{id, QString::fromLatin1(text), false, {}};
}

MenuItemSource Separator()
{
    return MenuItemSource{0, QString(), false, {}};
}

MenuItemSource Popup(const char* text, std::vector<MenuItemSource> children)
{
    return MenuItemSource{-1, QString::fromLatin1(text), true, std::move(children)};
}

// A menu's items as one line: labels, "|" for a separator, popups in brackets.
QString Shape(const std::vector<BuiltMenuItem>& items)
{
    QStringList parts;
    for (const auto& item : items) {
        if (item.kind == BuiltMenuItem::Kind::Separator)
            parts.append(QStringLiteral("|"));
        else if (item.kind == BuiltMenuItem::Kind::Popup)
            parts.append(item.label + QLatin1Char('[') + Shape(item.children) + QLatin1Char(']'));
        else
            parts.append(item.label);
    }
    return parts.join(QLatin1Char(' '));
}

QString Translate(int id)
{
    return QStringLiteral("T%1").arg(id);
}

class MenuTreeTest : public ::testing::Test {
protected:
    MenuTreeTest() { catalogue.Build(); }
    QString Built(const MenuTree& tree) const { return Shape(tree.Build(catalogue, Translate)); }
    shell::CommandCatalogue catalogue;
};

TEST_F(MenuTreeTest, SeparatorsNeverStandFirstTwiceOrLast)
{
    const struct {
        std::vector<MenuItemSource> items;
        const char* shape;
    } cases[] = {
        {{Separator(), Command(1, "a"), Separator(), Separator(), Command(2, "b"), Separator()}, "x[a | b]"},
        {{Separator()}, ""},                                        // an empty popup is left out
        {{Popup("Empty", {Separator()}), Command(1, "a")}, "x[a]"},
        {{Command(1, "a"), Separator(), Popup("Empty", {}), Separator(), Command(2, "b")}, "x[a | b]"},
        // An empty anchor keeps the separator before it when an item follows.
        {{Command(1, "a"), Separator(), Command(shell::kExporterAnchorId, "__DLL__"), Command(2, "b")}, "x[a | b]"},
    };
    for (const auto& c : cases) {
        const MenuTree tree({Popup("x", c.items)});
        EXPECT_EQ(Built(tree), QString::fromLatin1(c.shape)) << c.shape;
    }
}

TEST_F(MenuTreeTest, FillsTheExporterAndStandardAnchors)
{
    MenuTree tree({Popup("Output", {Command(32796, "Options"), Separator(), Command(shell::kExporterAnchorId, "__DLL__")}),
                   Popup("Standard", {Command(285, "FEFCO"), Separator(), Command(shell::kStandardsAnchorId, "_DYNAMIC_"),
                                      Separator(), Command(362, "Use Secondary Relativity")})});
    // No exporter: Output holds only Options; the separator before the
    // standards stays because an item follows them.
    EXPECT_EQ(Built(tree), QStringLiteral("T97[T692] Standard[T64 | T115]"));

    tree.SetExporters({QStringLiteral("CF2"), QStringLiteral("Plotter")});
    tree.SetStandards({QStringLiteral("Box")});
    const auto bar = tree.Build(catalogue, Translate);
    EXPECT_EQ(Shape(bar), QStringLiteral("T97[T692 | CF2 Plotter] Standard[T64 | Box | T115]"));
    ASSERT_EQ(bar.size(), 2u);
    EXPECT_EQ(bar[0].children[2].id, 10301);
    EXPECT_EQ(bar[0].children[3].id, 10302);
    EXPECT_EQ(bar[1].children[2].id, 10201);

    tree.SetExporters({});
    EXPECT_EQ(Shape(tree.Build(catalogue, Translate)), QStringLiteral("T97[T692] Standard[T64 | Box | T115]"));
}

TEST_F(MenuTreeTest, ListsAtMostAHundredUserStandards)
{
    MenuTree tree({Popup("Standard", {Command(shell::kStandardsAnchorId, "_DYNAMIC_")})});
    std::vector<QString> names;
    for (int i = 0; i < 120; ++i)
        names.push_back(QStringLiteral("s%1").arg(i));
    tree.SetStandards(names);
    const auto bar = tree.Build(catalogue, Translate);
    ASSERT_EQ(bar.size(), 1u);
    ASSERT_EQ(bar[0].children.size(), 100u);
    EXPECT_EQ(bar[0].children.back().id, 10300);
    EXPECT_EQ(bar[0].children.back().label, QStringLiteral("s99"));
}

TEST_F(MenuTreeTest, LabelsComeFromTheCatalogueElseTheMenu)
{
    const MenuTree tree({Popup("&File", {Command(57600, "&New"), Command(4242, "Own")}),
                         Popup("&Mesaure", {Command(208, "x")}), Popup("Bobst", {Command(482, "y")})});
    EXPECT_EQ(Built(tree), QStringLiteral("T877[T1 Own] T89[T92] Bobst[T848]"));
}

} // namespace
