// The launcher's rules as pure functions; see launcher_rules.h.
#include "launcher_rules.h"

#include <cstdio>
#include <cstring>

// ---- Settings file

static int32_t ReadLittleEndian(const unsigned char* bytes)
{
    uint32_t value = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                     uint32_t(bytes[3]) << 24;
    return int32_t(value);
}

static void WriteLittleEndian(int32_t field, unsigned char* bytes)
{
    uint32_t value = uint32_t(field);
    for (int i = 0; i < 4; ++i)
        bytes[i] = (unsigned char)(value >> (8 * i));
}

void DecodeSettings(const unsigned char* bytes, size_t length, SettingsFields* fields)
{
    int32_t* inFileOrder[] = {&fields->windowed, &fields->width, &fields->height,
                              &fields->normalQuality};
    for (size_t i = 0; i < 4 && 4 * (i + 1) <= length; ++i)
        *inFileOrder[i] = ReadLittleEndian(bytes + 4 * i);
}

void EncodeSettings(const SettingsFields& fields, unsigned char bytes[kSettingsFileSize])
{
    WriteLittleEndian(fields.windowed, bytes);
    WriteLittleEndian(fields.width, bytes + 4);
    WriteLittleEndian(fields.height, bytes + 8);
    WriteLittleEndian(fields.normalQuality, bytes + 12);
}

// ---- Painting

PaintPlan PlanPaint(int32_t adapterTier, int32_t normalQuality, int32_t windowed)
{
    PaintPlan plan;
    plan.fullBackground = adapterTier >= 2;
    plan.normalQuality = plan.fullBackground ? normalQuality : 1;
    // Only exactly 1 counts as NORMAL or WINDOW; any other stored value shows the other row.
    plan.qualityMarkY = plan.normalQuality == 1 ? 256 : 290;
    plan.screenModeMarkY = windowed == 1 ? 448 : 414;
    return plan;
}

// ---- Click map

// Bounds are exclusive on both sides, as the areas are measured around the painted labels.
static bool Inside(unsigned v, unsigned above, unsigned below)
{
    return above < v && v < below;
}

ClickTarget HitTest(unsigned x, unsigned y)
{
    // START overlaps the WINDOW row and is tested first, so the overlap belongs to START.
    if (Inside(x, 230, 361) && Inside(y, 445, 494))
        return ClickTarget::Start;
    if (Inside(x, 371, 430) && Inside(y, 452, 490))
        return ClickTarget::Exit;
    if (!Inside(x, 67, 275))
        return ClickTarget::None;
    if (Inside(y, 255, 275))
        return ClickTarget::NormalQuality;
    if (Inside(y, 285, 310))
        return ClickTarget::UltraHighQuality;
    if (Inside(y, 410, 440))
        return ClickTarget::Fullscreen;
    if (Inside(y, 445, 475))
        return ClickTarget::Window;
    return ClickTarget::None;
}

// ---- Adapter tier

int32_t AdapterTierFromCaps(uint32_t numSimultaneousRTs, bool formatCheckSucceeded,
                            uint32_t stencilCaps, uint32_t pixelShaderVersion)
{
    if (!(stencilCaps & kStencilTwoSided) || pixelShaderVersion < kPixelShader20)
        return 0;
    if (numSimultaneousRTs < 4 || !formatCheckSucceeded)
        return 1;
    return 2;
}

// ---- Resolution list

bool AddDisplayMode(ResolutionList* list, const DisplayMode& mode)
{
    for (int32_t i = 0; i < list->count; ++i)
        if (list->modes[i].width == mode.width && list->modes[i].height == mode.height)
            return false;
    if (mode.width < 800 || mode.height < 600 || list->count >= list->capacity)
        return false;
    list->modes[list->count++] = mode;
    return true;
}

int32_t PreselectIndex(const ResolutionList& list, int32_t width, int32_t height)
{
    for (int32_t i = 0; i < list.count; ++i)
        if (int32_t(list.modes[i].width) == width && int32_t(list.modes[i].height) == height)
            return i;
    return 1;
}

void ResolutionLabel(const DisplayMode& mode, char label[kLabelSize])
{
    memset(label, 0, kLabelSize);
    snprintf(label, kLabelSize, "%dx%d", int(mode.width), int(mode.height));
}

bool SelectedResolution(const ResolutionList& list, long index, int32_t* width, int32_t* height)
{
    if (index < 0 || index >= list.count)
        return false;
    *width = int32_t(list.modes[index].width);
    *height = int32_t(list.modes[index].height);
    return true;
}
