#include "spelldic/session.h"

#include <cstring>

#include "common/fileio.h"

namespace kestrel::spelldic {

bool LoadWordList(const std::string& path, WordList& list, std::string* error) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        if (error) *error = "cannot read " + path;
        return false;
    }
    return list.Parse(bytes, error);
}

int SpellSession::InitializeDictionary(const char* path) {
    if (!path || !*path) return 0;
    std::string p(path);
    if (FileExists(p) || DirectoryExists(p)) return 0;
    return WriteFileAtomic(p, WordList{}.Serialize()) ? 1 : 0;
}

int SpellSession::SetDictionary(const char* const* paths, int /*flags*/) {
    ready_ = false;
    speller_ = Speller{};
    userPath_.clear();
    if (!paths || !paths[0]) return 0;
    WordList basic;
    if (!LoadWordList(paths[0], basic)) return 0;
    WordList user;
    if (paths[1] && *paths[1]) {
        std::string userPath(paths[1]);
        if (FileExists(userPath) && !LoadWordList(userPath, user)) return 0;
        userPath_ = userPath;
    }
    speller_.SetBasic(std::move(basic));
    speller_.SetUser(std::move(user));
    ready_ = true;
    return 1;
}

int SpellSession::Alt(char* buffer, int size, const char* word) {
    if (!buffer || size < 2 || !word) return kAltBadArguments;
    buffer[0] = buffer[1] = '\0';
    if (!ready_) return kAltNoDictionary;
    std::string_view w(word);
    if (speller_.Knows(w)) return 0;
    std::vector<std::string> suggestions = speller_.Suggest(w, kMaxSuggestions);
    // Fill while the suggestion, its zero byte and the closing empty string fit.
    size_t used = 0;
    int count = 0;
    for (const std::string& s : suggestions) {
        if (used + s.size() + 2 > size_t(size)) break;
        std::memcpy(buffer + used, s.data(), s.size());
        used += s.size();
        buffer[used++] = '\0';
        ++count;
    }
    buffer[used] = '\0';
    return count > 0 ? count : -1;
}

int SpellSession::AddSpell(const char* word) {
    if (!ready_ || !word || userPath_.empty()) return 0;
    std::string_view w(word);
    if (!IsStorableWord(w)) return 0;
    WordList next = speller_.User();
    if (!next.Insert(w)) return next.ContainsExact(w) ? 1 : 0;
    if (!WriteFileAtomic(userPath_, next.Serialize())) return 0;
    speller_.SetUser(std::move(next));
    return 1;
}

}  // namespace kestrel::spelldic
