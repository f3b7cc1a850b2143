// Inserting a standard: the browser's choice carried out on the drawings,
// with the chosen dimensions and the secondary origin, nothing left
// pending afterwards.
#include "view/StandardInsertion.h"

#include "common/TempDir.h"
#include "document/MorvekDoc.h"
#include "formula/SpecStandardComponent.h"
#include "platform/Prompt.h"
#include "section/Section.h"

#include <QFile>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using platform::PromptResult;
using standards::StandardChoice;
using Action = StandardChoice::Action;

class StandardInsertionTest : public testing::Test {
protected:
    // A standard: A = 100, the variable Flap = A/4 and a line from
    // (300, 40) to (350, 90).
    QString WriteStandard(const QString& name)
    {
        CMorvekDoc file;
        EXPECT_TRUE(file.Variables().SetFormula(QStringLiteral("A"), QStringLiteral("100"), QString()));
        EXPECT_TRUE(file.Variables().AddVariable(QStringLiteral("Flap"), QStringLiteral("A/4"), QString(), 2, true));
        (void)file.GetSection(0)->AddLine3(300, 40, 350, 90, true, 1);
        return dir_.write(name, file.WriteFile());
    }
    static StandardChoice Choice(Action action, const QString& file)
    {
        StandardChoice choice;
        choice.action = action;
        choice.file = file;
        choice.dimensions = {300.0, 200.0, 150.0, 0.5};
        return choice;
    }
    view::StandardInsertion::Opener Opener()
    {
        return [this](const QString& path, const SpecStandardComponent* place) -> CMorvekDoc* {
            places_.push_back(place ? place->x + u',' + place->y : QString());
            auto doc = std::make_unique<CMorvekDoc>();
            QString error;
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly) || !doc->LoadFile(path, file.readAll(), &error))
                return nullptr;
            opened_.push_back(std::move(doc));
            return opened_.back().get();
        };
    }
    static QString Formula(CMorvekDoc& doc, const char* name)
    {
        return doc.Variables().GetFormula(doc.Variables().FindIndex(QString::fromLatin1(name)));
    }

    test::TempDir dir_;
    std::vector<std::unique_ptr<CMorvekDoc>> opened_;
    QStringList places_; // the secondary origin handed to each opening
    platform::ScriptedPrompt prompt_;
    platform::ScopedOverride<platform::Prompt*> promptGuard_ = platform::installPrompt(prompt_);
};

TEST_F(StandardInsertionTest, LoadOpensTheStandardWithTheChosenDimensions)
{
    const QString path = WriteStandard(QStringLiteral("box.n"));
    view::StandardInsertion insertion(nullptr);
    CMorvekDoc* doc = insertion.CarryOut(Choice(Action::Load, path), Opener());
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(insertion.Pending());
    EXPECT_EQ(Formula(*doc, "A"), QStringLiteral("300.000000"));
    EXPECT_EQ(Formula(*doc, "B"), QStringLiteral("200.000000"));
    EXPECT_EQ(Formula(*doc, "H"), QStringLiteral("150.000000"));
    EXPECT_EQ(Formula(*doc, "MatThick"), QStringLiteral("0.500000"));
    // The standard's own formulas follow.
    EXPECT_DOUBLE_EQ(doc->Variables().Evaluate(QStringLiteral("Flap")), 75.0);
    // A secondary origin goes to the opening.
    StandardChoice placed = Choice(Action::Load, path);
    placed.secondary = true;
    placed.originX = QStringLiteral("10.000000");
    placed.originY = QStringLiteral("20.000000");
    view::StandardInsertion second(nullptr);
    ASSERT_NE(second.CarryOut(placed, Opener()), nullptr);
    EXPECT_EQ(places_, (QStringList{QString(), QStringLiteral("10.000000,20.000000")}));
}

TEST_F(StandardInsertionTest, NothingIsLeftPendingOnAnyWayOut)
{
    const QString path = WriteStandard(QStringLiteral("box.n"));
    CMorvekDoc doc;
    const QString ownA = Formula(doc, "A");
    const struct {
        Action action;
        QString file;
        bool withDocument;
    } cases[] = {
        {Action::Cancel, QString(), true},
        {Action::PickOrigin, QString(), true},
        {Action::Load, dir_.file(QStringLiteral("missing.n")), false},
        {Action::Merge, path, false}, // no drawing to merge into
        {Action::Load, path, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.action));
        view::StandardInsertion insertion(c.withDocument ? &doc : nullptr);
        CMorvekDoc* changed = insertion.CarryOut(Choice(c.action, c.file), Opener());
        EXPECT_FALSE(insertion.Pending());
        EXPECT_EQ(changed != nullptr, &c == &cases[std::size(cases) - 1]);
    }
    EXPECT_EQ(doc.GetSectionCount(), 1);
    EXPECT_EQ(Formula(doc, "A"), ownA);
}

TEST_F(StandardInsertionTest, MergingTwiceAndAnsweringNoRenamesTheClashingVariables)
{
    const QString path = WriteStandard(QStringLiteral("box.n"));
    CMorvekDoc doc;
    for (int i = 0; i < 2; ++i) {
        prompt_.push(PromptResult::No);
        view::StandardInsertion insertion(&doc);
        ASSERT_EQ(insertion.CarryOut(Choice(Action::Merge, path), Opener()), &doc);
        EXPECT_FALSE(insertion.Pending());
    }
    EXPECT_EQ(prompt_.unexpected(), 0);
    EXPECT_EQ(doc.GetSectionCount(), 3);
    EXPECT_EQ(Formula(doc, "Flap"), QStringLiteral("A/4"));
    EXPECT_EQ(Formula(doc, "box_Flap"), QStringLiteral("A/4")); // the second copy's, renamed
    EXPECT_EQ(Formula(doc, "A"), QStringLiteral("300.000000"));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(StandardInsertionTest, ASecondaryOriginPlacesTheStandardThere)
{
    const QString path = WriteStandard(QStringLiteral("box.n"));
    const struct {
        bool secondary;
        double left;
        double bottom;
    } cases[] = {{false, 300.0, 40.0}, {true, 310.0, 60.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.secondary);
        CMorvekDoc doc;
        StandardChoice choice = Choice(Action::Merge, path);
        choice.secondary = c.secondary;
        choice.originX = QStringLiteral("10.000000");
        choice.originY = QStringLiteral("20.000000");
        choice.rotation = QStringLiteral("0");
        prompt_.push(PromptResult::Yes);
        view::StandardInsertion insertion(&doc);
        ASSERT_EQ(insertion.CarryOut(choice, Opener()), &doc);
        ASSERT_EQ(doc.GetSectionCount(), 2);
        const SectionBorders b = doc.GetSection(1)->GetBorders(false, false, false);
        EXPECT_DOUBLE_EQ(b.left, c.left);
        EXPECT_DOUBLE_EQ(b.bottom, c.bottom);
    }
}

} // namespace
