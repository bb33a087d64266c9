// The resolution list against a Direct3D 9 object of the tests' own, and the real combo box.
#include <gtest/gtest.h>

#include "fake_direct3d9.h"
#include "launcher_dialog.h"
#include "launcher_state.h"
#include "resolution_list.h"
#include "resource.h"

namespace {

std::vector<std::string> ListedSizes(const ResolutionList& list)
{
    std::vector<std::string> sizes;
    for (int32_t i = 0; i < list.count; ++i)
        sizes.push_back(std::to_string(list.modes[i].width) + "x" +
                        std::to_string(list.modes[i].height));
    return sizes;
}

TEST(BuildResolutionList, EnumeratesEveryModeInOrderThenReleasesOnce)
{
    FakeDirect3D9 direct3d;
    direct3d.modes = {Mode(640, 480),  Mode(800, 600, 60), Mode(800, 600, 75),
                      Mode(1024, 768), Mode(800, 600, 85), Mode(1280, 1024)};
    ResolutionList list = BuildResolutionList(&direct3d);

    std::vector<std::string> expected = {"GetAdapterModeCount(0,22)"};
    for (int i = 0; i < 6; ++i)
        expected.push_back("EnumAdapterModes(0,22," + std::to_string(i) + ")");
    expected.push_back("Release");
    EXPECT_EQ(expected, direct3d.calls);
    EXPECT_EQ(1, direct3d.releases);
    EXPECT_EQ((std::vector<std::string>{"800x600", "1024x768", "1280x1024"}), ListedSizes(list));
    EXPECT_EQ(60u, list.modes[0].refreshRate);
    free(list.modes);
}

TEST(BuildResolutionList, AModeThatCannotBeReadIsLeftOut)
{
    FakeDirect3D9 direct3d;
    direct3d.modes = {Mode(800, 600), Mode(1024, 768), Mode(1280, 1024)};
    direct3d.failingModeIndexes = {1};
    ResolutionList list = BuildResolutionList(&direct3d);
    EXPECT_EQ((std::vector<std::string>{"800x600", "1280x1024"}), ListedSizes(list));
    EXPECT_EQ(1, direct3d.releases);
    free(list.modes);
}

TEST(BuildResolutionList, NoModesOrNoMemoryGiveAnEmptyList)
{
    FakeDirect3D9 none;
    ResolutionList empty = BuildResolutionList(&none);
    EXPECT_EQ(0, empty.count);
    EXPECT_EQ(1, none.releases);
    free(empty.modes);

    // A count no allocation can hold: the list stays empty and nothing is enumerated.
    FakeDirect3D9 absurd;
    absurd.reportedModeCount = 0xFFFFFFF0u;
    ResolutionList unallocated = BuildResolutionList(&absurd);
    EXPECT_EQ(0, unallocated.count);
    EXPECT_EQ((std::vector<std::string>{"GetAdapterModeCount(0,22)", "Release"}), absurd.calls);
    free(unallocated.modes);
}

// The real launcher dialog, so the combo box is the template's, with CBS_SORT.
class ResolutionCombo : public testing::Test {
protected:
    HWND dialog = NULL;
    DisplayMode storage[3] = {{800, 600, 60, 22}, {1024, 768, 60, 22}, {1280, 1024, 60, 22}};

    void SetUp() override
    {
        dialog = CreateLauncherDialog();
        ASSERT_TRUE(dialog != NULL);
        ASSERT_TRUE(GetWindowLongA(GetDlgItem(dialog, IDC_RESOLUTION), GWL_STYLE) & CBS_SORT);
    }
    void TearDown() override { DestroyWindow(dialog); }

    // A list the read-back may free, holding the first `count` sizes above.
    ResolutionList List(int32_t count)
    {
        ResolutionList list = {(DisplayMode*)calloc(3, sizeof(DisplayMode)), count, 3};
        memcpy(list.modes, storage, sizeof storage);
        return list;
    }
    std::vector<std::string> Items()
    {
        std::vector<std::string> items;
        LRESULT count = SendDlgItemMessageA(dialog, IDC_RESOLUTION, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[80] = "";
            SendDlgItemMessageA(dialog, IDC_RESOLUTION, CB_GETLBTEXT, i, (LPARAM)text);
            items.push_back(text);
        }
        return items;
    }
    LRESULT Selection() { return SendDlgItemMessageA(dialog, IDC_RESOLUTION, CB_GETCURSEL, 0, 0); }
};

TEST_F(ResolutionCombo, ItemsStayInListOrderDespiteSorting)
{
    ResolutionList list = List(3);
    FillResolutionCombo(dialog, list, 1280, 1024);
    EXPECT_EQ((std::vector<std::string>{"800x600", "1024x768", "1280x1024"}), Items());
    EXPECT_EQ(2, Selection());
    free(list.modes);
}

TEST_F(ResolutionCombo, AnUnlistedSavedSizePreselectsTheSecondItem)
{
    ResolutionList list = List(3);
    FillResolutionCombo(dialog, list, 1600, 1200);
    EXPECT_EQ(1, Selection());
    free(list.modes);
}

TEST_F(ResolutionCombo, ReadBackCopiesThePickedItemAndFreesTheList)
{
    ResolutionList list = List(3);
    FillResolutionCombo(dialog, list, 1024, 768);
    SendDlgItemMessageA(dialog, IDC_RESOLUTION, CB_SETCURSEL, 2, 0);
    LauncherState state = g_state;
    ReadBackResolution(dialog, &list, &state);
    EXPECT_EQ(1280, state.width);
    EXPECT_EQ(1024, state.height);
    EXPECT_EQ(nullptr, list.modes);
    EXPECT_EQ(0, list.count);
}

TEST_F(ResolutionCombo, ReadBackWithoutASelectionKeepsTheSavedSize)
{
    struct Case {
        const char* name;
        int32_t entries;
        int32_t savedWidth, savedHeight;
    } cases[] = {
        {"one entry that missed the saved size", 1, 1280, 1024},
        {"an empty list", 0, 1024, 768},
    };
    for (const Case& c : cases) {
        SendDlgItemMessageA(dialog, IDC_RESOLUTION, CB_RESETCONTENT, 0, 0);
        ResolutionList list = List(c.entries);
        FillResolutionCombo(dialog, list, c.savedWidth, c.savedHeight);
        EXPECT_EQ(CB_ERR, Selection()) << c.name;
        LauncherState state = g_state;
        state.width = c.savedWidth;
        state.height = c.savedHeight;
        ReadBackResolution(dialog, &list, &state);
        EXPECT_EQ(c.savedWidth, state.width) << c.name;
        EXPECT_EQ(c.savedHeight, state.height) << c.name;
    }
}

}  // namespace
