// Fuzz target of the click map and the resolution-list rules: the input is a list's capacity
// and a run of operations on the list and the map (the format is under "Input" below).
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_check.h"
#include "launcher_rules.h"

namespace {

// ---- Click map

struct Area {
    ClickTarget target;
    unsigned left, top, right, bottom;  // inclusive
};

// START comes first: it overlaps the WINDOW row, and the overlap is START's.
const Area kAreas[] = {
    {ClickTarget::Start, 231, 446, 360, 493},
    {ClickTarget::Exit, 372, 453, 429, 489},
    {ClickTarget::NormalQuality, 68, 256, 274, 274},
    {ClickTarget::UltraHighQuality, 68, 286, 274, 309},
    {ClickTarget::Fullscreen, 68, 411, 274, 439},
    {ClickTarget::Window, 68, 446, 274, 474},
};

bool Contains(const Area& area, unsigned x, unsigned y)
{
    return area.left <= x && x <= area.right && area.top <= y && y <= area.bottom;
}

void CheckPress(unsigned x, unsigned y)
{
    const ClickTarget hit = HitTest(x, y);
    ClickTarget expected = ClickTarget::None;
    for (const Area& area : kAreas)
        if (Contains(area, x, y)) {
            expected = area.target;
            break;
        }
    bool hitIsKnown = hit == ClickTarget::None;
    for (const Area& area : kAreas)
        if (area.target == hit) {
            FUZZ_CHECK(Contains(area, x, y));
            hitIsKnown = true;
        }
    FUZZ_CHECK(hitIsKnown);
    FUZZ_CHECK((x < 65536 && y < 65536) || hit == ClickTarget::None);
    FUZZ_CHECK(hit == expected);
}

// ---- Resolution list

bool SameSize(const DisplayMode& a, const DisplayMode& b)
{
    return a.width == b.width && a.height == b.height;
}

// A saved size matches an entry when the entry's size, read as signed, is that size.
bool Matches(const DisplayMode& mode, int32_t width, int32_t height)
{
    return int32_t(mode.width) == width && int32_t(mode.height) == height;
}

// The list under test, in a block of exactly its capacity so that AddressSanitizer reports a
// write past it, beside what the list should hold: the first mode of each size of at least
// 800 x 600, in order of first appearance, as many as fit.
struct Fixture {
    std::unique_ptr<DisplayMode[]> storage;
    ResolutionList list;
    std::vector<DisplayMode> firstOfEachSize;

    explicit Fixture(int32_t capacity)
        : storage(new DisplayMode[capacity]),
          list{storage.get(), 0, capacity}
    {}

    void CheckList() const
    {
        FUZZ_CHECK(0 <= list.count && list.count <= list.capacity);
        for (int32_t i = 0; i < list.count; ++i) {
            const DisplayMode& mode = list.modes[i];
            FUZZ_CHECK(mode.width >= 800 && mode.height >= 600);
            for (int32_t j = 0; j < i; ++j)
                FUZZ_CHECK(!SameSize(list.modes[j], mode));
        }
        const size_t expectedCount = firstOfEachSize.size() < size_t(list.capacity)
                                         ? firstOfEachSize.size()
                                         : size_t(list.capacity);
        FUZZ_CHECK(size_t(list.count) == expectedCount);
        for (int32_t i = 0; i < list.count; ++i)
            FUZZ_CHECK(memcmp(&list.modes[i], &firstOfEachSize[i], sizeof(DisplayMode)) == 0);
    }

    void CheckOffer(const DisplayMode& mode)
    {
        const int32_t countBefore = list.count;
        const bool added = AddDisplayMode(&list, mode);
        bool seen = false;
        for (const DisplayMode& first : firstOfEachSize)
            seen = seen || SameSize(first, mode);
        if (!seen && mode.width >= 800 && mode.height >= 600)
            firstOfEachSize.push_back(mode);
        CheckList();
        FUZZ_CHECK(added == (list.count == countBefore + 1));
        FUZZ_CHECK(list.count == countBefore || list.count == countBefore + 1);

        // Every entry is preselected by its own size, and read back as itself.
        for (int32_t i = 0; i < list.count; ++i)
            CheckPreselect(int32_t(list.modes[i].width), int32_t(list.modes[i].height));
        for (long index = -1; index <= list.count; ++index)
            CheckSelection(index);
    }

    void CheckPreselect(int32_t width, int32_t height) const
    {
        const int32_t index = PreselectIndex(list, width, height);
        bool listed = false;
        for (int32_t i = 0; i < list.count; ++i)
            listed = listed || Matches(list.modes[i], width, height);
        if (listed)
            FUZZ_CHECK(0 <= index && index < list.count &&
                       Matches(list.modes[index], width, height));
        else
            FUZZ_CHECK(index == 1);
    }

    // No entry is 0 x 0, so a size written from the list always shows.
    void CheckSelection(long index) const
    {
        int32_t width = 0, height = 0;
        const bool taken = SelectedResolution(list, index, &width, &height);
        FUZZ_CHECK(taken == (0 <= index && index < list.count));
        if (taken)
            FUZZ_CHECK(Matches(list.modes[index], width, height));
        else
            FUZZ_CHECK(width == 0 && height == 0);
    }
};

// Reads a decimal int that starts right at `text` (a sign or a digit, no blanks).
bool ParseInt(const char* text, const char** end, long long* value)
{
    if (*text != '-' && !isdigit((unsigned char)*text))
        return false;
    char* after;
    *value = strtoll(text, &after, 10);
    *end = after;
    return after != text;
}

// The label, written over a block of exactly kLabelSize bytes of junk, ends within it, is
// zero after its end, and reads back as the mode's size taken as signed ints.
void CheckLabel(const DisplayMode& mode)
{
    std::unique_ptr<char[]> label(new char[kLabelSize]);
    memset(label.get(), 'z', kLabelSize);
    ResolutionLabel(mode, label.get());
    const char* terminator = (const char*)memchr(label.get(), '\0', kLabelSize);
    FUZZ_CHECK(terminator != nullptr);
    for (const char* p = terminator; p < label.get() + kLabelSize; ++p)
        FUZZ_CHECK(*p == '\0');

    const char* x;
    const char* end;
    long long width, height;
    FUZZ_CHECK(ParseInt(label.get(), &x, &width) && *x == 'x');
    FUZZ_CHECK(ParseInt(x + 1, &end, &height) && end == terminator);
    FUZZ_CHECK(width == int32_t(mode.width) && height == int32_t(mode.height));
}

// ---- Input: the list's capacity (first byte, modulo 32), then operations, each an opcode byte
// and its operands in host byte order (the committed seeds are little-endian):
//   opcode % 4 == 0: a display mode offered to the list (width, height, refresh, format: uint32)
//   opcode % 4 == 1: a saved size to preselect (width, height: int32)
//   opcode % 4 == 2: a selection to read back (index: int64)
//   opcode % 4 == 3: a press on the click map (x, y: uint32)

struct Input {
    const uint8_t* data;
    size_t size;

    template <typename T>
    bool Take(T* value)
    {
        if (size < sizeof(T))
            return false;
        memcpy(value, data, sizeof(T));
        data += sizeof(T);
        size -= sizeof(T);
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input input = {data, size};
    uint8_t capacity;
    if (!input.Take(&capacity))
        return 0;
    Fixture fixture(capacity % 32);
    fixture.CheckList();

    uint8_t opcode;
    while (input.Take(&opcode)) {
        DisplayMode mode;
        int32_t saved[2];
        int64_t index;
        uint32_t press[2];
        switch (opcode % 4) {
        case 0:
            if (!input.Take(&mode))
                return 0;
            CheckLabel(mode);
            fixture.CheckOffer(mode);
            break;
        case 1:
            if (!input.Take(&saved))
                return 0;
            fixture.CheckPreselect(saved[0], saved[1]);
            break;
        case 2:
            if (!input.Take(&index))
                return 0;
            fixture.CheckSelection(long(index));
            break;
        case 3:
            if (!input.Take(&press))
                return 0;
            CheckPress(press[0], press[1]);
            break;
        }
    }
    return 0;
}
