// Starting the game: stub games in a temporary folder record how they were started.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game_start.h"
#include "launcher_state.h"
#include "test_folder.h"

namespace {

static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "the 32-bit layout of the shell request");

// The stub game's Unix path from the build, as Wine's drive Z: sees it.
std::string StubGamePath()
{
    std::string path = "Z:" STUB_GAME_PATH;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::vector<std::string> StartedGames()
{
    std::vector<std::string> lines;
    if (FILE* log = fopen("game-started.log", "rb")) {
        char line[1024];
        while (fgets(line, sizeof line, log))
            lines.push_back(line);
        fclose(log);
    }
    return lines;
}

// Waits for the stubs to have logged `count` starts; a started stub logs within moments.
std::vector<std::string> WaitForStarts(size_t count)
{
    for (int i = 0; i < 500 && StartedGames().size() < count; ++i)
        Sleep(20);
    return StartedGames();
}

class GameStart : public testing::Test {
protected:
    TestFolder folder;
    void SetUp() override
    {
        ASSERT_TRUE(CopyFileA(StubGamePath().c_str(), "bramvik.exe", FALSE));
        ASSERT_TRUE(CopyFileA(StubGamePath().c_str(), "bramvik_low.exe", FALSE));
    }
    void Start(int32_t launchRequested, int32_t normalQuality)
    {
        g_state.launchRequested = launchRequested;
        g_state.normalQuality = normalQuality;
        StartGame();
    }
};

TEST_F(GameStart, QualityPicksTheExecutable)
{
    struct Case {
        int32_t normalQuality;
        const char* exe;
    } cases[] = {{1, "bramvik_low.exe"},
                 {0, "bramvik.exe"},
                 {5, "bramvik_low.exe"},
                 {-1, "bramvik_low.exe"}};
    size_t started = 0;
    for (const Case& c : cases) {
        Start(1, c.normalQuality);
        std::vector<std::string> lines = WaitForStarts(++started);
        ASSERT_EQ(started, lines.size()) << "quality " << c.normalQuality;
        EXPECT_EQ(0u, lines.back().find(std::string("exe=") + c.exe + "|arguments=0|"))
            << lines.back();
    }
}

TEST_F(GameStart, NothingStartsUnlessStartWasPressed)
{
    Start(0, 1);
    Start(-1, 0);
    // Starts happen in order: once the later real start is logged, a stray one would be too.
    Start(1, 0);
    std::vector<std::string> lines = WaitForStarts(1);
    Sleep(300);
    lines = StartedGames();
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("exe=bramvik.exe|"));
}

}  // namespace
