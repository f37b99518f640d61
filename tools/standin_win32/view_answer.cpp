#include "tools/standin_win32/view_answer.h"

#include <cstdlib>
#include <map>

namespace kestrel::standin {

namespace {

std::map<UINT_PTR, std::function<void()>> g_late;
UINT_PTR g_nextId = 0x4B00;

void CALLBACK LateAnswer(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    auto it = g_late.find(id);
    if (it == g_late.end()) return;
    std::function<void()> send = std::move(it->second);
    g_late.erase(it);
    send();
}

}  // namespace

bool TakeViewAnswerArg(const std::vector<std::string>& args, size_t& i, ViewAnswerPolicy& policy) {
    if (args[i] == "/no-view-answer") {
        policy.answer = false;
        return true;
    }
    if (args[i] == "/view-delay" && i + 1 < args.size()) {
        long ms = std::strtol(args[++i].c_str(), nullptr, 10);
        policy.delayMs = ms > 0 ? static_cast<UINT>(ms) : 0;
        return true;
    }
    return false;
}

bool AnswerView(HWND window, const ViewAnswerPolicy& policy, std::function<void()> send) {
    if (!policy.answer) return false;
    if (policy.delayMs == 0) {
        send();
        return true;
    }
    const UINT_PTR id = ++g_nextId;
    g_late[id] = std::move(send);
    if (!SetTimer(window, id, policy.delayMs, LateAnswer)) {
        g_late.erase(id);
        return false;
    }
    return true;
}

}  // namespace kestrel::standin
