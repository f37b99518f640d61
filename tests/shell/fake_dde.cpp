#include "shell/fake_dde.h"

namespace kestrel::test {

bool FakeDdeClient::Open(std::string_view s, std::string_view t) {
    ++opens;
    service = std::string(s);
    topic = std::string(t);
    std::string name = service + "|" + topic;
    log_.push_back(label_ + " open: " + name);
    if (!openAnswers.empty()) {
        open_ = openAnswers.front();
        openAnswers.pop_front();
    } else {
        open_ = running.count(name) > 0;
    }
    return open_;
}

bool FakeDdeClient::Execute(std::string_view macro) {
    if (!open_ || macro.size() > maxBytes) return false;
    executed.emplace_back(macro);
    log_.push_back(label_ + ": " + std::string(macro));
    if (onExecute) onExecute(executed.back());
    return true;
}

bool FakeDdeServer::Register(std::string_view s, std::string_view t, ExecuteHandler onExecute) {
    service = std::string(s);
    topic = std::string(t);
    handler = std::move(onExecute);
    return succeed;
}

}  // namespace kestrel::test
