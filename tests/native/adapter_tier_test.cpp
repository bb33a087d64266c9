// The adapter tier: 0 cannot run the game, 1 normal quality only, 2 both qualities.
#include <gtest/gtest.h>

#include "launcher_rules.h"

namespace {

const uint32_t kTwoSided = 0x100;

TEST(AdapterTier, FollowsRenderTargetsFormatStencilAndShaderVersion)
{
    struct Case {
        const char* name;
        uint32_t renderTargets;
        bool formatSupported;
        uint32_t stencilCaps, pixelShader;
        int32_t tier;
    } cases[] = {
        {"minimum for both qualities", 4, true, kTwoSided, 0xFFFF0200, 2},
        {"a capable adapter", 8, true, 0x1FF, 0xFFFF0300, 2},
        {"three render targets", 3, true, kTwoSided, 0xFFFF0300, 1},
        {"no R32F render target", 4, false, kTwoSided, 0xFFFF0200, 1},
        {"one render target and no R32F", 1, false, kTwoSided, 0xFFFF0200, 1},
        {"zero render targets", 0, true, kTwoSided, 0xFFFF0200, 1},
        {"no two-sided stencil", 4, true, 0, 0xFFFF0300, 0},
        {"every stencil bit but two-sided", 4, true, ~kTwoSided, 0xFFFF0300, 0},
        {"pixel shader 1.4", 4, true, kTwoSided, 0xFFFF0104, 0},
        {"just below pixel shader 2.0", 4, true, kTwoSided, 0xFFFF01FF, 0},
        {"no pixel shaders", 4, true, kTwoSided, 0, 0},
        {"fails both groups", 1, false, 0, 0, 0},
        {"huge render target count is unsigned", 0xFFFFFFFF, true, kTwoSided, 0xFFFF0200, 2},
        {"version word compared unsigned", 4, true, kTwoSided, 0xFFFFFFFF, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.tier, AdapterTierFromCaps(c.renderTargets, c.formatSupported, c.stencilCaps,
                                              c.pixelShader))
            << c.name;
}

}  // namespace
