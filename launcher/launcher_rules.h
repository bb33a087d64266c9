// The launcher's rules as pure functions of plain values. No Windows or Direct3D header
// comes in here, so the same code builds into the launcher and into the native tests.
#pragma once

#include <cstddef>
#include <cstdint>

// ---- Settings file: "setup.dat" holds these four fields, in this order, little-endian.
struct SettingsFields {
    int32_t windowed;
    int32_t width;
    int32_t height;
    int32_t normalQuality;
};

const size_t kSettingsFileSize = 16;

// Overwrites each field that lies wholly within the bytes; a field cut short by the end of
// the bytes, and every field after it, keeps the value it had. Bytes past 16 are ignored.
void DecodeSettings(const unsigned char* bytes, size_t length, SettingsFields* fields);
void EncodeSettings(const SettingsFields& fields, unsigned char bytes[kSettingsFileSize]);

// ---- Painting: which background, and where the two check marks go.
const int kClientWidth = 440;
const int kBackgroundHeight = 500;
const int kCheckMarkSize = 21;
const int kCheckMarkX = 70;

struct PaintPlan {
    bool fullBackground;
    int32_t normalQuality;  // what the state holds after painting: forced to 1 below tier 2
    int qualityMarkY;
    int screenModeMarkY;
};

PaintPlan PlanPaint(int32_t adapterTier, int32_t normalQuality, int32_t windowed);

// ---- Click map: the painted areas a left-button press can hit, in client pixels.
enum class ClickTarget { None, Start, Exit, NormalQuality, UltraHighQuality, Fullscreen, Window };

// x and y are the press's unsigned 16-bit client coordinates, so a press left of or above
// the client area arrives as a large value and hits nothing.
ClickTarget HitTest(unsigned x, unsigned y);

// ---- Adapter tier: 2 both qualities, 1 normal quality only, 0 the game cannot run.
const uint32_t kStencilTwoSided = 0x100;
const uint32_t kPixelShader20 = 0xFFFF0200;

int32_t AdapterTierFromCaps(uint32_t numSimultaneousRTs, bool formatCheckSucceeded,
                            uint32_t stencilCaps, uint32_t pixelShaderVersion);

// ---- Resolution list: the adapter's sizes of at least 800 x 600, each once, in the
// adapter's order. DisplayMode has the layout of Direct3D's D3DDISPLAYMODE.
struct DisplayMode {
    uint32_t width;
    uint32_t height;
    uint32_t refreshRate;
    uint32_t format;
};

struct ResolutionList {
    DisplayMode* modes;
    int32_t count;
    int32_t capacity;
};

const size_t kLabelSize = 80;

// Appends the mode unless its size is already listed, is below 800 x 600, or the list is full.
bool AddDisplayMode(ResolutionList* list, const DisplayMode& mode);

// The index of the saved size in the list, or 1 (the second entry) when it is not listed.
int32_t PreselectIndex(const ResolutionList& list, int32_t width, int32_t height);

// Writes "WIDTHxHEIGHT" into a zeroed buffer of kLabelSize bytes.
void ResolutionLabel(const DisplayMode& mode, char label[kLabelSize]);

// The size of entry `index` when it is one of the list's entries; otherwise false and the
// size is left alone, so a missing selection never yields a size from outside the list.
bool SelectedResolution(const ResolutionList& list, long index, int32_t* width, int32_t* height);
