#include "support/spell_fakes.h"

#include <algorithm>
#include <cstring>

#include "common/fileio.h"

namespace kestrel::test {

std::string FakeSpellText::Text() const {
    std::string t;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) t += "\r\n";
        t += lines[i];
    }
    return t;
}

void FakeSpellText::SetText(const std::string& text) {
    lines.clear();
    size_t start = 0;
    for (;;) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

int FakeSpellText::LineOffset(int index) const {
    int offset = 0;
    for (int i = 0; i < index && i < LineCount(); ++i) offset += int(lines[size_t(i)].size()) + 2;
    return offset;
}

int FakeSpellText::LineFromOffset(int offset) const {
    int start = 0;
    for (int i = 0; i < LineCount(); ++i) {
        int next = start + int(lines[size_t(i)].size()) + 2;
        if (offset < next) return i;
        start = next;
    }
    return std::max(0, LineCount() - 1);
}

void FakeSpellText::SetSelection(int start, int length) {
    int size = int(Text().size());
    selStart = std::clamp(start, 0, size);
    selLength = std::clamp(length, 0, size - selStart);
}

void FakeSpellText::ReplaceSelection(std::string_view text) {
    std::string all = Text();
    all.replace(size_t(selStart), size_t(selLength), text);
    SetText(all);
    selStart += int(text.size());
    selLength = 0;
}

int FakeSpellLibrary::InitializeDictionary(const std::string& path) {
    s_.initialized.push_back(path);
    if (s_.initializeResult) WriteFileAtomic(path, "KWTR1 0\n");
    return s_.initializeResult;
}

int FakeSpellLibrary::SetDictionary(const std::string& basicDic, const std::string& userDic) {
    s_.dictionaries.emplace_back(basicDic, userDic);
    return s_.setResult;
}

int FakeSpellLibrary::Alt(char* buffer, int size, const std::string& word) {
    s_.lookedUp.push_back(word);
    std::memset(buffer, 0, size_t(size));
    auto raw = s_.rawBuffer.find(word);
    if (raw != s_.rawBuffer.end()) {
        std::memcpy(buffer, raw->second.data(), std::min(raw->second.size(), size_t(size)));
    }
    auto forced = s_.forcedResult.find(word);
    if (forced != s_.forcedResult.end()) return forced->second;
    if (s_.allKnown || s_.known.count(word)) return 0;
    auto sug = s_.suggestions.find(word);
    if (sug == s_.suggestions.end() || sug->second.empty()) return -1;
    size_t used = 0;
    for (const std::string& w : sug->second) {
        std::memcpy(buffer + used, w.data(), w.size());
        used += w.size() + 1;
    }
    return int(sug->second.size());
}

int FakeSpellLibrary::AddSpell(const std::string& word) {
    s_.added.push_back(word);
    s_.known.insert(word);
    return 1;
}

std::unique_ptr<SpellLibrary> FakeSpellLoader::Load(std::string_view name) {
    lastName = std::string(name);
    if (!s_.loadable) return nullptr;
    ++s_.loads;
    return std::make_unique<FakeSpellLibrary>(s_);
}

}  // namespace kestrel::test
