// Feeds arbitrary bytes to the settings reader and writer: nothing may crash and a write must
// read back as written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/ini.h"
#include "common/keys.h"
#include "common/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kestrel;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    IniFile ini = IniFile::FromBytes(bytes);
    for (const SettingDef& d : SettingsTable()) {
        (void)ViewerString(ini, d.section, d.key);
        (void)ViewerInt(ini, d.section, d.key);
    }
    (void)LoadViewerKeys(ini);
    KeyTable table;
    table.Load(ini);
    (void)table.TryAssign(0, size ? data[0] : 0, size > 1 && (data[1] & 1), false, false);
    (void)ParseIniInt(bytes, 0);

    // The value of the first line used as the value of a write.
    std::string value = bytes.substr(0, bytes.find_first_of("\r\n"));
    if (value.size() > 64) value.resize(64);
    IniFile changed = ini;
    if (changed.Set("View", "Quote", "\"" + value + "\"")) {
        if (changed.Get("View", "Quote") != value) std::abort();
    }
    changed = ini;
    if (changed.Set("Fuzz", "Key", "1") && changed.GetInt("Fuzz", "Key", 0) != 1) std::abort();
    return 0;
}
