// The byte image of "setup.dat": four little-endian fields, windowed, width, height, quality.
#include <gtest/gtest.h>

#include <vector>

#include "launcher_rules.h"

namespace {

const SettingsFields kDefaults = {1, 1024, 768, 1};

std::vector<unsigned char> Encoded(const SettingsFields& fields)
{
    std::vector<unsigned char> bytes(kSettingsFileSize);
    EncodeSettings(fields, bytes.data());
    return bytes;
}

void ExpectFields(const SettingsFields& expected, const SettingsFields& actual)
{
    EXPECT_EQ(expected.windowed, actual.windowed);
    EXPECT_EQ(expected.width, actual.width);
    EXPECT_EQ(expected.height, actual.height);
    EXPECT_EQ(expected.normalQuality, actual.normalQuality);
}

TEST(SettingsBytes, DefaultsEncodeToTheKnownImage)
{
    std::vector<unsigned char> expected = {0x01, 0,    0, 0, 0x00, 0x04, 0, 0,
                                           0x00, 0x03, 0, 0, 0x01, 0,    0, 0};
    EXPECT_EQ(expected, Encoded(kDefaults));
}

TEST(SettingsBytes, FieldsAreStoredInFileOrderLittleEndian)
{
    // Height 1050 holds 0x1A and width 0x0A0D holds CR LF: bytes text mode would mangle.
    std::vector<unsigned char> expected = {0x05, 0,    0, 0, 0x0D, 0x0A, 0,    0,
                                           0x1A, 0x04, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(expected, Encoded(SettingsFields{5, 0x0A0D, 1050, -1}));
}

TEST(SettingsBytes, ShortFilesKeepTheDefaultsOfFieldsTheyDoNotHoldWhole)
{
    const std::vector<unsigned char> stored = Encoded(SettingsFields{0, 800, 600, 0});
    struct Case {
        size_t length;
        SettingsFields expected;
    } cases[] = {
        {0, kDefaults},         {3, kDefaults},         {4, {0, 1024, 768, 1}},
        {8, {0, 800, 768, 1}},  {11, {0, 800, 768, 1}}, {12, {0, 800, 600, 1}},
        {15, {0, 800, 600, 1}}, {16, {0, 800, 600, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " bytes");
        SettingsFields fields = kDefaults;
        DecodeSettings(stored.data(), c.length, &fields);
        ExpectFields(c.expected, fields);
    }
}

TEST(SettingsBytes, BytesAfterTheSixteenthAreIgnored)
{
    std::vector<unsigned char> bytes = Encoded(SettingsFields{0, 1280, 1024, 0});
    bytes.insert(bytes.end(), {0x11, 0x22, 0x33, 0x44});
    SettingsFields fields = kDefaults;
    DecodeSettings(bytes.data(), bytes.size(), &fields);
    ExpectFields(SettingsFields{0, 1280, 1024, 0}, fields);
}

TEST(SettingsBytes, AnyStoredValueRoundTripsUnchanged)
{
    const SettingsFields cases[] = {
        {5, 800, 1050, 7},
        {-1, INT32_MIN, INT32_MAX, 0},
        {0, 0, 0, 0},
        {0x1A1A1A1A, 0x0A0A0A0A, 0x0D0A0D0A, 2},
    };
    for (const SettingsFields& stored : cases) {
        SCOPED_TRACE(testing::Message() << stored.windowed << "," << stored.width << ","
                                        << stored.height << "," << stored.normalQuality);
        std::vector<unsigned char> bytes = Encoded(stored);
        SettingsFields fields = kDefaults;
        DecodeSettings(bytes.data(), bytes.size(), &fields);
        ExpectFields(stored, fields);
    }
}

}  // namespace
