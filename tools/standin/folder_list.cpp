#include "tools/standin/folder_list.h"

#include <algorithm>
#include <cstdio>

#include "common/fileio.h"
#include "common/sjis.h"

namespace kestrel::standin {

int MailNumberFromName(const std::string& name) {
    std::string digits = name;
    if (digits.size() == 8 && EqualsNoCase(digits.substr(4), ".txt")) digits.resize(4);
    if (digits.size() != 4) return -1;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::string FourDigits(int number) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d", ((number % 10000) + 10000) % 10000);
    return buf;
}

namespace {

std::string DirOf(const std::string& folderFile) {
    return ReplaceExtension(folderFile, std::string(1, PathSeparator()));
}

std::vector<int> NumbersOnDisk(const std::string& folderFile) {
    std::vector<int> out;
    for (const std::string& name : ListFiles(DirOf(folderFile), "????.txt")) {
        int n = MailNumberFromName(name);
        if (n >= 0) out.push_back(n);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

std::vector<int> StoredList(const std::string& folderFile) {
    std::vector<std::string> lines;
    std::vector<int> out;
    if (!ReadFileLines(folderFile, lines)) return out;
    for (const std::string& line : lines) {
        int n = MailNumberFromName(std::string(TrimBlanks(line)));
        if (n >= 0) out.push_back(n);
    }
    return out;
}

}  // namespace

std::vector<int> ListOrderOf(const std::string& folderFile) {
    const std::vector<int> onDisk = NumbersOnDisk(folderFile);
    std::vector<int> list;
    auto listed = [&](int n) { return std::find(list.begin(), list.end(), n) != list.end(); };
    for (int n : StoredList(folderFile)) {
        if (std::binary_search(onDisk.begin(), onDisk.end(), n) && !listed(n)) list.push_back(n);
    }
    for (int n : onDisk) {
        if (!listed(n)) list.push_back(n);
    }
    return list;
}

bool StoreListOrder(const std::string& folderFile, const std::vector<int>& numbers) {
    if (StoredList(folderFile) == numbers && FileExists(folderFile)) return true;
    std::vector<std::string> lines;
    for (int n : numbers) lines.push_back(FourDigits(n));
    return WriteLinesAtomic(folderFile, lines);
}

std::vector<int> RefreshList(const std::string& folderFile) {
    std::vector<int> list = ListOrderOf(folderFile);
    StoreListOrder(folderFile, list);
    return list;
}

bool IsUnreadMail(const std::string& path) {
    FileReader reader;
    if (!reader.Open(path)) return false;
    char buf[64];
    long long got = reader.Read(buf, sizeof buf);
    if (got <= 0) return false;
    std::string head(buf, static_cast<size_t>(got));
    head = head.substr(0, head.find_first_of("\r\n"));
    return head.find("RECV") != std::string::npos;
}

}  // namespace kestrel::standin
