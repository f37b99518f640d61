#include "tools/standin/alias_model.h"

#include "common/sjis.h"

namespace kestrel::standin {

std::string AliasEntryFromArgument(std::string_view arg) {
    std::string entry;
    for (size_t i = 0; i < arg.size();) {
        size_t n = CharLenAt(arg, i);
        if (n == 1 && arg[i] == '\\' && i + 1 < arg.size()) {
            size_t m = CharLenAt(arg, i + 1);
            entry.append(arg.substr(i + 1, m));
            i += 1 + m;
            continue;
        }
        if (n == 1 && (arg[i] == ',' || arg[i] == ':')) break;
        entry.append(arg.substr(i, n));
        i += n;
    }
    return entry;
}

}  // namespace kestrel::standin
