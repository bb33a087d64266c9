// "setup.dat" in the working directory: 16 bytes, read at the start of a run and rewritten at
// its end. A file that cannot be opened is passed over in silence; the defaults then stand.
#include "settings_file.h"

#include <cstdio>

#include "launcher_rules.h"
#include "launcher_state.h"

static const char kSettingsFileName[] = "setup.dat";

static SettingsFields StateFields()
{
    return SettingsFields{g_state.windowed, g_state.width, g_state.height, g_state.normalQuality};
}

void LoadSettings()
{
    // Binary mode: a text-mode read would stop at a 0x1A byte and fold 0x0D 0x0A.
    FILE* file = fopen(kSettingsFileName, "rb");
    if (!file)
        return;
    unsigned char bytes[kSettingsFileSize];
    size_t length = fread(bytes, 1, sizeof bytes, file);
    fclose(file);

    SettingsFields fields = StateFields();
    DecodeSettings(bytes, length, &fields);
    g_state.windowed = fields.windowed;
    g_state.width = fields.width;
    g_state.height = fields.height;
    g_state.normalQuality = fields.normalQuality;
}

void SaveSettings()
{
    FILE* file = fopen(kSettingsFileName, "wb");
    if (!file)
        return;
    unsigned char bytes[kSettingsFileSize];
    EncodeSettings(StateFields(), bytes);
    fwrite(bytes, 1, sizeof bytes, file);
    fclose(file);
}
