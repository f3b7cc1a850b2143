#include "section/SectionFixture.h"

#include "geometry/GeomConstants.h"

namespace {

using sectiontest::Drawing;
using SectionInstances = Drawing;

TEST_F(SectionInstances, ReplicasMapTheLayerOntoEachFurtherInstance)
{
    section.NewInstance(5, 0, 90);
    section.GetInstance(1).centreX = 10;
    section.NewInstance(0, 0, 180);
    section.GetInstance(2).centreX = 50;
    section.GetInstance(2).centreY = 20;
    section.recreate_replicas();

    const struct {
        int instance;
        double x, y, angle;
    } expected[] = {{1, 15, -10, Geom::kHalfPi}, {2, 100, 40, Geom::kPi}};
    ASSERT_EQ(section.get_surface().size(), 2u);
    auto placement = section.get_surface().begin();
    for (const auto& e : expected) {
        EXPECT_EQ(placement->instance, e.instance);
        EXPECT_NEAR(placement->x, e.x, 1e-9);
        EXPECT_NEAR(placement->y, e.y, 1e-9);
        EXPECT_NEAR(placement->angle, e.angle, 1e-12);
        // The placement and the instance put a point in the same place.
        const die::coord viaPlacement = placement->Place({20, 0});
        const die::coord viaInstance = section.GetInstance(e.instance).Transform({20, 0});
        EXPECT_NEAR(viaPlacement.x, viaInstance.x, 1e-9);
        EXPECT_NEAR(viaPlacement.y, viaInstance.y, 1e-9);
        ++placement;
    }
}

TEST_F(SectionInstances, ElevenNewInstancesGrowTheTableOnce)
{
    for (int i = 0; i < 11; ++i)
        section.NewInstance(i, 0, 0);
    EXPECT_EQ(section.GetInstanceCount(), 12);
    EXPECT_EQ(section.GetInstanceCapacity(), 20);
}

TEST_F(SectionInstances, InstancesAreCentredOnTheLayersBorders)
{
    Line(0, 0, 100, 40);
    CLine* outside = Line(500, 500, 600, 600);
    outside->SetNotInstanced(1);
    section.NewInstance(10, 0, 30);
    section.GetInstance(1).identity = true;
    EXPECT_TRUE(section.SetCenterOfInstances());
    for (int i = 0; i < section.GetInstanceCount(); ++i) {
        EXPECT_FALSE(section.GetInstance(i).identity);
        EXPECT_EQ(section.GetInstance(i).centreX, 50);
        EXPECT_EQ(section.GetInstance(i).centreY, 20);
    }
}

} // namespace
