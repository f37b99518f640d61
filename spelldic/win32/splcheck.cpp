// splcheck.dll: the English dictionary library the viewer loads at run time. Four functions with
// the standard Windows calling convention, exported under their plain names (splcheck.def), over
// one dictionary session kept for the life of the loaded library.
#include <windows.h>

#include "spelldic/session.h"

namespace {

kestrel::spelldic::SpellSession& Session() {
    static kestrel::spelldic::SpellSession session;
    return session;
}

}  // namespace

extern "C" {

int WINAPI SCInitializeDictionary(const char* path) {
    try {
        return Session().InitializeDictionary(path);
    } catch (...) {
        return 0;
    }
}

int WINAPI SCSetDictionary(const char* const* paths, int flags) {
    try {
        return Session().SetDictionary(paths, flags);
    } catch (...) {
        return 0;
    }
}

int WINAPI SCAlt(char* buffer, int size, const char* word) {
    try {
        return Session().Alt(buffer, size, word);
    } catch (...) {
        return kestrel::spelldic::kAltNoDictionary;
    }
}

int WINAPI SCAddSpell(const char* word) {
    try {
        return Session().AddSpell(word);
    } catch (...) {
        return 0;
    }
}

}  // extern "C"
