// INI files with the semantics of the Windows profile functions, on Shift-JIS bytes.
// Section and key names are compared without case; values have blanks trimmed at both ends
// unless enclosed in double quotes, which are dropped. Anything missing yields the default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// Decimal (optional leading '-' or '+'), "$hex", "0x"/"0X" hex; anything else gives def.
// Hex values are taken as 32-bit patterns ("$FFFFFFFF" is -1); out-of-range decimals give def.
int32_t ParseIniInt(std::string_view text, int32_t def);

// An in-memory snapshot of one INI file. Keeps the file's bytes exactly; Set changes one key.
class IniFile {
  public:
    static IniFile Load(const std::string& path);  // unreadable/missing file -> empty
    static IniFile FromBytes(std::string bytes);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view def) const;
    int32_t GetInt(std::string_view section, std::string_view key, int32_t def) const;
    bool GetBool(std::string_view section, std::string_view key, bool def) const;
    // Integer value with the colour-constant numbers -101..-118 mapped to their RGB values.
    uint32_t GetColour(std::string_view section, std::string_view key, uint32_t def) const;

    // Replaces the first occurrence of key in the first matching section, or appends the key
    // after the section's last non-blank line, or appends the section. Every other byte stays.
    // False (nothing changed) when section or key is empty or would not form one line, or the
    // value holds a line break.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

// Colour numbers -101..-118 mapped to 0x00BBGGRR values; any other value unchanged.
uint32_t MapColourNumber(int32_t value);

// Opens, changes one key, writes atomically (temp file + move), closes. False on failure.
bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);
std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view def);
int32_t ReadIniInt(const std::string& path, std::string_view section, std::string_view key,
                   int32_t def);

}  // namespace kestrel
