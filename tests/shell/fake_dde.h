// Fakes of the command channel: conversations that answer as scripted and record what they
// carry in the shared event log ("<label>: <macro>", "<label> open: <service>|<topic>").
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "shell/fakes.h"
#include "viewer/shell/dde.h"

namespace kestrel::test {

class FakeDdeClient : public DdeClient {
  public:
    FakeDdeClient(std::string label, EventLog& log) : label_(std::move(label)), log_(log) {}

    // Answers from openAnswers while it holds any, else true when "<service>|<topic>" is in
    // running.
    bool Open(std::string_view service, std::string_view topic) override;
    bool IsOpen() const override { return open_; }
    void Close() override { open_ = false; }
    // Refused (false, nothing logged) when closed or longer than maxBytes.
    bool Execute(std::string_view macro) override;

    std::set<std::string> running;
    std::deque<bool> openAnswers;
    size_t maxBytes = std::numeric_limits<size_t>::max();
    std::vector<std::string> executed;
    // Called with each macro carried, as the receiving program would see it arrive.
    std::function<void(const std::string&)> onExecute;
    int opens = 0;
    std::string service, topic;

  private:
    std::string label_;
    EventLog& log_;
    bool open_ = false;
};

class FakeDdeServer : public DdeServer {
  public:
    bool Register(std::string_view service, std::string_view topic,
                  ExecuteHandler onExecute) override;
    // An incoming execute transaction, as the message loop delivers it.
    void Deliver(const std::string& data) {
        if (handler) handler(data);
    }
    std::string service, topic;
    ExecuteHandler handler;
    bool succeed = true;  // false: the registration fails (no DDE)
};

struct FakeDde {
    explicit FakeDde(EventLog& log)
        : plover("plover", log), finchpost("finchpost", log), browser("browser", log) {}
    FakeDdeClient plover, finchpost, browser;
    FakeDdeServer server;
    DdeChannels channels() { return DdeChannels{plover, finchpost, browser, server}; }
};

}  // namespace kestrel::test
