#include "viewer/link/neighbour.h"

#include "common/fileio.h"
#include "viewer/link/folder.h"

namespace kestrel {

std::string NeighbourOf(std::string_view path, int step) {
    if (step != 1 && step != -1) return {};
    std::string number = MailNumberOf(path);
    if (number.size() != 4) return {};
    int n = 0;
    for (char c : number) {
        if (c < '0' || c > '9') return {};
        n = n * 10 + (c - '0');
    }
    std::string dir = DirectoryOf(path);
    std::string ext = FileNameOf(path).substr(4);
    for (int k = 1; k <= 51; ++k) {
        // 20000 + n + k*step has five digits; its last four are the wrapped number.
        std::string digits = std::to_string(20000 + n + k * step).substr(1, 4);
        std::string candidate = dir + digits + ext;
        if (FileExists(ResolvePathCase(candidate))) return candidate;
    }
    return {};
}

}  // namespace kestrel
