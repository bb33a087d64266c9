// What a painting shows: which background, where the two marks go, and the forcing of normal
// quality on an adapter that cannot run ULTRA HIGH.
#include <gtest/gtest.h>

#include "launcher_rules.h"

namespace {

TEST(PaintPlan, BackgroundMarksAndQualityFollowTierAndFlags)
{
    struct Case {
        const char* name;
        int32_t tier, normalQuality, windowed;
        bool fullBackground;
        int32_t normalQualityAfter;
        int qualityMarkY, screenModeMarkY;
    } cases[] = {
        {"defaults", 2, 1, 1, true, 1, 256, 448},
        {"ultra high, fullscreen", 2, 0, 0, true, 0, 290, 414},
        {"quality 5 shows ULTRA HIGH and stays 5", 2, 5, 1, true, 5, 290, 448},
        {"windowed 5 shows FULLSCREEN", 2, 1, 5, true, 1, 256, 414},
        {"windowed -1 shows FULLSCREEN", 2, 1, -1, true, 1, 256, 414},
        {"tier above 2 counts as full", 3, 0, 1, true, 0, 290, 448},
        {"tier 1 forces normal quality", 1, 0, 1, false, 1, 256, 448},
        {"tier 1 forces any stored quality", 1, 5, 0, false, 1, 256, 414},
        {"tier 0 is reduced too", 0, 0, 1, false, 1, 256, 448},
        {"negative tier is reduced", -1, 0, 1, false, 1, 256, 448},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PaintPlan plan = PlanPaint(c.tier, c.normalQuality, c.windowed);
        EXPECT_EQ(c.fullBackground, plan.fullBackground);
        EXPECT_EQ(c.normalQualityAfter, plan.normalQuality);
        EXPECT_EQ(c.qualityMarkY, plan.qualityMarkY);
        EXPECT_EQ(c.screenModeMarkY, plan.screenModeMarkY);
    }
}

}  // namespace
