// "setup.dat" read and written through the real Windows C runtime, in a temporary folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "launcher_state.h"
#include "settings_file.h"
#include "test_folder.h"

namespace {

typedef std::vector<unsigned char> Bytes;

const Bytes kDefaultImage = {1, 0, 0, 0, 0, 4, 0, 0, 0, 3, 0, 0, 1, 0, 0, 0};
// FULLSCREEN, 800 x 1050 (0x041A holds the DOS end-of-file byte), ULTRA HIGH.
const Bytes kStored = {0, 0, 0, 0, 0x20, 0x03, 0, 0, 0x1A, 0x04, 0, 0, 0, 0, 0, 0};

void WriteFile(const Bytes& bytes)
{
    FILE* file = fopen("setup.dat", "wb");
    ASSERT_TRUE(file != NULL);
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

Bytes ReadFile()
{
    Bytes bytes;
    if (FILE* file = fopen("setup.dat", "rb")) {
        int c;
        while ((c = fgetc(file)) != EOF)
            bytes.push_back((unsigned char)c);
        fclose(file);
    }
    return bytes;
}

class SettingsFile : public testing::Test {
protected:
    TestFolder folder;
    void SetUp() override { ResetState(); }
    void ResetState()
    {
        g_state.windowed = 1;
        g_state.width = 1024;
        g_state.height = 768;
        g_state.normalQuality = 1;
    }
    void ExpectState(int32_t windowed, int32_t width, int32_t height, int32_t normalQuality)
    {
        EXPECT_EQ(windowed, g_state.windowed);
        EXPECT_EQ(width, g_state.width);
        EXPECT_EQ(height, g_state.height);
        EXPECT_EQ(normalQuality, g_state.normalQuality);
    }
};

TEST_F(SettingsFile, NoFileKeepsTheDefaultsAndCreatesNone)
{
    LoadSettings();
    ExpectState(1, 1024, 768, 1);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("setup.dat"));
}

TEST_F(SettingsFile, LoadsWhatTheFileHoldsWhole)
{
    struct Case {
        size_t length;
        int32_t windowed, width, height, normalQuality;
    } cases[] = {
        {0, 1, 1024, 768, 1},  {4, 0, 1024, 768, 1},  {8, 0, 800, 768, 1},
        {15, 0, 800, 1050, 1}, {16, 0, 800, 1050, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " bytes");
        ResetState();
        WriteFile(Bytes(kStored.begin(), kStored.begin() + c.length));
        LoadSettings();
        ExpectState(c.windowed, c.width, c.height, c.normalQuality);
    }
}

TEST_F(SettingsFile, ControlBytesSurviveTheRoundTrip)
{
    // 0x0D 0x0A and 0x1A: text mode would fold the pair and stop reading at 0x1A.
    const Bytes stored = {0x1A, 0, 0, 0, 0x0D, 0x0A, 0, 0, 0x1A, 0x04, 0, 0, 0x0A, 0, 0, 0};
    WriteFile(stored);
    LoadSettings();
    ExpectState(0x1A, 0x0A0D, 1050, 0x0A);
    SaveSettings();
    EXPECT_EQ(stored, ReadFile());
}

TEST_F(SettingsFile, SaveWritesExactlySixteenBytesOverALongerFile)
{
    Bytes longer = kStored;
    longer.resize(4096, 0xEE);
    WriteFile(longer);
    LoadSettings();
    ExpectState(0, 800, 1050, 0);
    SaveSettings();
    EXPECT_EQ(kStored, ReadFile());
}

TEST_F(SettingsFile, FirstSaveCreatesAPlainFileWithTheDefaults)
{
    SaveSettings();
    EXPECT_EQ(kDefaultImage, ReadFile());
    EXPECT_EQ(0u, GetFileAttributesA("setup.dat") & FILE_ATTRIBUTE_READONLY);
}

TEST_F(SettingsFile, AFileHeldWithoutSharingIsNeitherReadNorChanged)
{
    WriteFile(kStored);
    HANDLE held = CreateFileA("setup.dat", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    LoadSettings();
    ExpectState(1, 1024, 768, 1);
    SaveSettings();
    CloseHandle(held);
    EXPECT_EQ(kStored, ReadFile());
}

TEST_F(SettingsFile, AFolderNamedLikeTheFileIsLeftAlone)
{
    ASSERT_TRUE(CreateDirectoryA("setup.dat", NULL));
    LoadSettings();
    ExpectState(1, 1024, 768, 1);
    SaveSettings();
    EXPECT_NE(0u, GetFileAttributesA("setup.dat") & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(SettingsFile, OpensShareReadingAndWritingWithOthers)
{
    // Another process holding the file open for reading and writing does not stop us.
    WriteFile(kStored);
    HANDLE other = CreateFileA("setup.dat", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    LoadSettings();
    ExpectState(0, 800, 1050, 0);
    g_state.windowed = 1;
    SaveSettings();
    CloseHandle(other);
    Bytes expected = kStored;
    expected[0] = 1;
    EXPECT_EQ(expected, ReadFile());
}

}  // namespace
