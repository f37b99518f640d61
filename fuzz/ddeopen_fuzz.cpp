// The incoming open macro and the folder arguments derived from its path, on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "viewer/link/folder.h"
#include "viewer/link/macros.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Split off a "current file" after the first 0xFF byte, if any.
    size_t cut = bytes.find('\xff');
    std::string_view macro = bytes.substr(0, cut);
    std::string_view current = cut == std::string_view::npos ? "" : bytes.substr(cut + 1);
    kestrel::OpenRequest r = kestrel::ParseOpenMacro(macro, current);
    if (r.kind == kestrel::OpenRequest::Open) {
        if (r.path.empty() || r.path.size() + 10 > macro.size()) __builtin_trap();
        std::string f = kestrel::FolderFileOf(r.path);
        std::string n = kestrel::MailNumberOf(r.path);
        if (kestrel::IsFolderMail(r.path) != !n.empty()) __builtin_trap();
        std::string m = kestrel::UpdateMacro(f, n) + kestrel::ForwardMacro(f, n);
        (void)m;
    }
    kestrel::FolderFileOf(bytes);
    kestrel::MailNumberOf(bytes);
    return 0;
}
