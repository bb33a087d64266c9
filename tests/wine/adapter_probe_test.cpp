// The adapter probe against a Direct3D 9 object of the tests' own.
#include <gtest/gtest.h>

#include "adapter_probe.h"
#include "fake_direct3d9.h"

namespace {

TEST(AdapterProbe, AsksForTheDefaultAdaptersCapsThenTheR32FRenderTarget)
{
    FakeDirect3D9 direct3d;
    EXPECT_EQ(2, ReadAdapterTier(&direct3d));
    std::vector<std::string> expected = {
        "GetDeviceCaps(0,1)",
        // X8R8G8B8 (22) adapter, render-target usage (1), texture (3), R32F (114).
        "CheckDeviceFormat(0,1,22,1,3,114)",
    };
    EXPECT_EQ(expected, direct3d.calls);
    EXPECT_EQ(0, direct3d.releases);
}

TEST(AdapterProbe, TierFollowsTheReportedCapabilities)
{
    struct Case {
        const char* name;
        UINT renderTargets;
        HRESULT formatResult;
        DWORD stencilCaps, pixelShader;
        int32_t tier;
    } cases[] = {
        {"everything", 4, D3D_OK, D3DSTENCILCAPS_TWOSIDED, 0xFFFF0200, 2},
        {"a success code other than S_OK is support", 4, S_FALSE, 0x1FF, 0xFFFF0300, 2},
        {"a positive code of our own is support", 4, 0x7FFFFFFF, 0x1FF, 0xFFFF0300, 2},
        {"format refused", 4, D3DERR_NOTAVAILABLE, 0x1FF, 0xFFFF0300, 1},
        {"three render targets", 3, D3D_OK, 0x1FF, 0xFFFF0300, 1},
        {"no two-sided stencil", 4, D3D_OK, 0xFF, 0xFFFF0300, 0},
        {"pixel shader 1.4", 4, D3D_OK, 0x1FF, 0xFFFF0104, 0},
    };
    for (const Case& c : cases) {
        FakeDirect3D9 direct3d;
        direct3d.caps.NumSimultaneousRTs = c.renderTargets;
        direct3d.formatResult = c.formatResult;
        direct3d.caps.StencilCaps = c.stencilCaps;
        direct3d.caps.PixelShaderVersion = c.pixelShader;
        EXPECT_EQ(c.tier, ReadAdapterTier(&direct3d)) << c.name;
    }
}

TEST(AdapterProbe, FailedCapsQueryMeansTheGameCannotRun)
{
    FakeDirect3D9 direct3d;  // reports a capable adapter, but as a failed query
    direct3d.capsResult = D3DERR_NOTAVAILABLE;
    EXPECT_EQ(0, ReadAdapterTier(&direct3d));
    // The order of calls stays the same on this path.
    EXPECT_EQ(2u, direct3d.calls.size());
}

}  // namespace
