// The dictionary library port on Windows: LoadLibrary by name at the start of a check run,
// GetProcAddress for each of the four functions by its plain name, FreeLibrary at the end.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "viewer/spell/spell_library.h"

namespace kestrel::win32 {

class WinSpellLibraryLoader : public SpellLibraryLoader {
  public:
    // folder: where to load from, ending in a separator; empty for the system's search order
    // (the program's own folder first), as the viewer does.
    explicit WinSpellLibraryLoader(std::string folder = "") : folder_(std::move(folder)) {}
    std::unique_ptr<SpellLibrary> Load(std::string_view name) override;

  private:
    std::string folder_;
};

}  // namespace kestrel::win32
