#include "viewer/spell/spell_library.h"

#include <cstring>

namespace kestrel {

std::string_view SpellFunctionName(SpellFunction f) {
    switch (f) {
        case SpellFunction::InitializeDictionary:
            return "SCInitializeDictionary";
        case SpellFunction::SetDictionary:
            return "SCSetDictionary";
        case SpellFunction::Alt:
            return "SCAlt";
        case SpellFunction::AddSpell:
            return "SCAddSpell";
    }
    return "";
}

std::vector<std::string> ParseSuggestions(const char* buffer, int size) {
    std::vector<std::string> out;
    if (!buffer || size <= 0) return out;
    size_t i = 0;
    const size_t n = size_t(size);
    while (i < n && buffer[i] != '\0') {
        const void* zero = std::memchr(buffer + i, '\0', n - i);
        if (!zero) break;  // unterminated: not a whole suggestion
        size_t len = size_t(static_cast<const char*>(zero) - (buffer + i));
        out.emplace_back(buffer + i, len);
        i += len + 1;
    }
    return out;
}

}  // namespace kestrel
