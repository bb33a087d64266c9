// The resolution list's rules: which modes enter, which entry is preselected, the labels and
// the read-back of a selection.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "launcher_rules.h"

namespace {

// A list with room for `capacity` modes, as the launcher allocates one per reported mode.
struct TestList {
    std::vector<DisplayMode> storage;
    ResolutionList list;
    explicit TestList(int32_t capacity) : storage(capacity), list{storage.data(), 0, capacity} {}
    void AddAll(std::initializer_list<DisplayMode> modes)
    {
        for (const DisplayMode& mode : modes)
            AddDisplayMode(&list, mode);
    }
    std::vector<std::string> Labels() const
    {
        std::vector<std::string> labels;
        char label[kLabelSize];
        for (int32_t i = 0; i < list.count; ++i) {
            ResolutionLabel(list.modes[i], label);
            labels.push_back(label);
        }
        return labels;
    }
};

const uint32_t kX8R8G8B8 = 22;

DisplayMode Mode(uint32_t width, uint32_t height, uint32_t refreshRate)
{
    return DisplayMode{width, height, refreshRate, kX8R8G8B8};
}

TEST(ResolutionRules, KeepsTheFirstModeOfEachSizeFrom800x600UpInAdapterOrder)
{
    TestList t(6);
    t.AddAll({Mode(640, 480, 60), Mode(800, 600, 60), Mode(800, 600, 75), Mode(1024, 768, 60),
              Mode(800, 600, 85), Mode(1280, 1024, 60)});
    ASSERT_EQ(3, t.list.count);
    EXPECT_EQ((std::vector<std::string>{"800x600", "1024x768", "1280x1024"}), t.Labels());
    EXPECT_EQ(60u, t.list.modes[0].refreshRate);
    EXPECT_EQ(kX8R8G8B8, t.list.modes[0].format);
}

TEST(ResolutionRules, SizeLimitsAreInclusive)
{
    struct Case {
        uint32_t width, height;
        bool added;
    } cases[] = {{800, 600, true},   {1280, 600, true}, {1280, 599, false},
                 {799, 1024, false}, {0, 0, false},     {0xFFFFFFFF, 600, true}};
    for (const Case& c : cases) {
        TestList t(1);
        EXPECT_EQ(c.added, AddDisplayMode(&t.list, Mode(c.width, c.height, 60)))
            << c.width << "x" << c.height;
        EXPECT_EQ(c.added ? 1 : 0, t.list.count);
    }
}

TEST(ResolutionRules, ASizeSeenBeforeIsDroppedWhereverItComesAgain)
{
    TestList t(5);
    t.AddAll({Mode(1024, 768, 60), Mode(800, 600, 60), Mode(1280, 1024, 60), Mode(1024, 768, 75),
              Mode(800, 600, 85)});
    EXPECT_EQ((std::vector<std::string>{"1024x768", "800x600", "1280x1024"}), t.Labels());
    EXPECT_EQ(60u, t.list.modes[0].refreshRate);
}

TEST(ResolutionRules, AFullListTakesNoMore)
{
    TestList t(1);
    EXPECT_TRUE(AddDisplayMode(&t.list, Mode(800, 600, 60)));
    EXPECT_FALSE(AddDisplayMode(&t.list, Mode(1024, 768, 60)));
    EXPECT_EQ(1, t.list.count);

    ResolutionList empty = {nullptr, 0, 0};
    EXPECT_FALSE(AddDisplayMode(&empty, Mode(800, 600, 60)));
}

TEST(ResolutionRules, PreselectsTheSavedSizeOrElseTheSecondEntry)
{
    TestList three(3);
    three.AddAll({Mode(800, 600, 60), Mode(1024, 768, 60), Mode(1280, 1024, 60)});
    TestList one(1);
    one.AddAll({Mode(1024, 768, 60)});
    TestList none(0);
    struct Case {
        const char* name;
        const ResolutionList& list;
        int32_t width, height, index;
    } cases[] = {
        {"first", three.list, 800, 600, 0},
        {"second", three.list, 1024, 768, 1},
        {"third", three.list, 1280, 1024, 2},
        {"not listed", three.list, 1600, 1200, 1},
        {"width matches, height not", three.list, 800, 768, 1},
        {"one entry, saved size", one.list, 1024, 768, 0},
        {"one entry, other size", one.list, 800, 600, 1},
        {"empty list", none.list, 1024, 768, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.index, PreselectIndex(c.list, c.width, c.height)) << c.name;
}

TEST(ResolutionRules, LabelIsWidthXHeightInAZeroedBuffer)
{
    char label[kLabelSize];
    memset(label, 'z', sizeof label);
    ResolutionLabel(Mode(1024, 768, 60), label);
    EXPECT_STREQ("1024x768", label);
    for (size_t i = strlen(label); i < kLabelSize; ++i)
        ASSERT_EQ('\0', label[i]) << "byte " << i;

    ResolutionLabel(Mode(0xFFFFFFFF, 2147483648u, 0), label);
    EXPECT_STREQ("-1x-2147483648", label);
}

TEST(ResolutionRules, ReadBackTakesOnlyAnEntryOfTheList)
{
    TestList t(2);
    t.AddAll({Mode(800, 600, 60), Mode(1280, 1024, 60)});
    struct Case {
        long index;
        bool taken;
        int32_t width, height;
    } cases[] = {
        {0, true, 800, 600},
        {1, true, 1280, 1024},
        {-1, false, 1024, 768},
        {2, false, 1024, 768},
    };
    for (const Case& c : cases) {
        int32_t width = 1024, height = 768;
        EXPECT_EQ(c.taken, SelectedResolution(t.list, c.index, &width, &height)) << c.index;
        EXPECT_EQ(c.width, width) << c.index;
        EXPECT_EQ(c.height, height) << c.index;
    }
}

}  // namespace
