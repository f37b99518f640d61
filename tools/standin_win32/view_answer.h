// How the stand-in mail client answers a View request: at once, late, or not at all, so that
// tests can show that the viewer keeps working while the client is slow or silent.
//
//   /view-delay MS     answer MS milliseconds after the request
//   /no-view-answer    never answer
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kestrel::standin {

struct ViewAnswerPolicy {
    bool answer = true;
    UINT delayMs = 0;
};

// When args[i] is one of the options above, takes it (and its value) into policy, moves i to
// the last argument used and returns true.
bool TakeViewAnswerArg(const std::vector<std::string>& args, size_t& i, ViewAnswerPolicy& policy);

// Runs send as the policy says: now, from a timer of window later, or never. False when it was
// dropped.
bool AnswerView(HWND window, const ViewAnswerPolicy& policy, std::function<void()> send);

}  // namespace kestrel::standin
