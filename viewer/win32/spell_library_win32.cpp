#include "viewer/win32/spell_library_win32.h"

#include <windows.h>

#include "common/win32/cp932.h"

namespace kestrel::win32 {

namespace {

// The library's functions, standard Windows calling convention, Shift-JIS strings.
using InitializeFn = int(WINAPI*)(const char* path);
using SetFn = int(WINAPI*)(const char* const* paths, int flags);
using AltFn = int(WINAPI*)(char* buffer, int size, const char* word);
using AddFn = int(WINAPI*)(const char* word);

template <typename F>
F Lookup(HMODULE module, const char* name) {
    // Through a generic function pointer type: FARPROC's own signature means nothing here.
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

class WinSpellLibrary : public SpellLibrary {
  public:
    explicit WinSpellLibrary(HMODULE module) : module_(module) {
        initialize_ = Lookup<InitializeFn>(module, "SCInitializeDictionary");
        set_ = Lookup<SetFn>(module, "SCSetDictionary");
        alt_ = Lookup<AltFn>(module, "SCAlt");
        add_ = Lookup<AddFn>(module, "SCAddSpell");
    }
    ~WinSpellLibrary() override { FreeLibrary(module_); }
    WinSpellLibrary(const WinSpellLibrary&) = delete;
    WinSpellLibrary& operator=(const WinSpellLibrary&) = delete;

    bool Has(SpellFunction f) const override {
        switch (f) {
            case SpellFunction::InitializeDictionary:
                return initialize_ != nullptr;
            case SpellFunction::SetDictionary:
                return set_ != nullptr;
            case SpellFunction::Alt:
                return alt_ != nullptr;
            case SpellFunction::AddSpell:
                return add_ != nullptr;
        }
        return false;
    }
    int InitializeDictionary(const std::string& path) override {
        return initialize_ ? initialize_(path.c_str()) : 0;
    }
    int SetDictionary(const std::string& basicDic, const std::string& userDic) override {
        const char* paths[] = {basicDic.c_str(), userDic.c_str(), nullptr};
        return set_ ? set_(paths, 0) : 0;
    }
    int Alt(char* buffer, int size, const std::string& word) override {
        return alt_ ? alt_(buffer, size, word.c_str()) : -2;
    }
    int AddSpell(const std::string& word) override { return add_ ? add_(word.c_str()) : 0; }

  private:
    HMODULE module_;
    InitializeFn initialize_ = nullptr;
    SetFn set_ = nullptr;
    AltFn alt_ = nullptr;
    AddFn add_ = nullptr;
};

}  // namespace

std::unique_ptr<SpellLibrary> WinSpellLibraryLoader::Load(std::string_view name) {
    std::wstring path = WidenPath(folder_ + std::string(name));
    HMODULE module = LoadLibraryW(path.c_str());
    if (!module) return nullptr;
    return std::make_unique<WinSpellLibrary>(module);
}

}  // namespace kestrel::win32
