// Fuzz target of the settings file's bytes: the input is a "setup.dat" of any length, which
// DecodeSettings reads over defaults and EncodeSettings writes back.
#include <cstdint>
#include <cstring>
#include <memory>

#include "fuzz_check.h"
#include "launcher_rules.h"

namespace {

// Two starting states unlike in every field, so a field the decoder touches without being
// given its four bytes differs from its start in at least one of the two runs.
const SettingsFields kStarts[] = {{1, 1024, 768, 1}, {0x5A5A5A5A, -0x5A5A5A5B, -1, 0}};

int32_t FieldInFileOrder(const SettingsFields& fields, int i)
{
    const int32_t inFileOrder[] = {fields.windowed, fields.width, fields.height,
                                   fields.normalQuality};
    return inFileOrder[i];
}

unsigned char LittleEndianByte(int32_t value, int k)
{
    return (unsigned char)(uint32_t(value) >> (8 * k));
}

// The first `length` bytes of the input in a block of exactly that size, so that AddressSanitizer
// reports any read past them.
void CheckDecode(const uint8_t* data, size_t length, const SettingsFields& start)
{
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[length]);
    memcpy(bytes.get(), data, length);
    SettingsFields fields = start;
    DecodeSettings(bytes.get(), length, &fields);
    for (int i = 0; i < 4; ++i) {
        if (size_t(4 * (i + 1)) > length) {
            FUZZ_CHECK(FieldInFileOrder(fields, i) == FieldInFileOrder(start, i));
            continue;
        }
        for (int k = 0; k < 4; ++k)
            FUZZ_CHECK(LittleEndianByte(FieldInFileOrder(fields, i), k) == bytes[4 * i + k]);
    }
}

// Encodes into a block of exactly 16 bytes filled with the opposite of what belongs there,
// so both a write past the block and a byte left unwritten are caught.
void CheckEncode(const SettingsFields& fields)
{
    unsigned char expected[kSettingsFileSize];
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k)
            expected[4 * i + k] = LittleEndianByte(FieldInFileOrder(fields, i), k);
    std::unique_ptr<unsigned char[]> image(new unsigned char[kSettingsFileSize]);
    for (size_t j = 0; j < kSettingsFileSize; ++j)
        image[j] = (unsigned char)~expected[j];
    EncodeSettings(fields, image.get());
    FUZZ_CHECK(memcmp(image.get(), expected, kSettingsFileSize) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Every prefix is a file the launcher may meet: one cut short anywhere.
    for (size_t length = 0; length <= size; ++length)
        for (const SettingsFields& start : kStarts)
            CheckDecode(data, length, start);

    SettingsFields fields = kStarts[0];
    DecodeSettings(data, size, &fields);
    CheckEncode(fields);
    if (size >= kSettingsFileSize) {
        unsigned char image[kSettingsFileSize];
        EncodeSettings(fields, image);
        FUZZ_CHECK(memcmp(image, data, kSettingsFileSize) == 0);
    }
    return 0;
}
