// The command channel to the mail clients as the main window sees it: client conversations by
// service and topic that carry fire-and-forget macro strings, and one server topic on which the
// mail clients send their [open("...")] requests. The Windows layer implements it with DDEML;
// tests use fakes. Macros are Shift-JIS bytes without a line end.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kestrel {

// One client conversation.
class DdeClient {
  public:
    virtual ~DdeClient() = default;
    // Connects to service/topic, closing any conversation held before. False when no server
    // answers; the conversation is then closed.
    virtual bool Open(std::string_view service, std::string_view topic) = 0;
    virtual bool IsOpen() const = 0;
    virtual void Close() = 0;
    // Hands macro to the server as one execute transaction and returns at once: no reply is
    // awaited. False when nothing was sent (conversation closed, macro refused by the channel).
    virtual bool Execute(std::string_view macro) = 0;
};

// The viewer's own service. The handler receives the execute data of each incoming
// transaction (any bytes, any length), later, from the message loop, never from inside the
// transaction: it may show modal boxes.
class DdeServer {
  public:
    using ExecuteHandler = std::function<void(const std::string& data)>;
    virtual ~DdeServer() = default;
    // Registers service with the one topic. False when the service could not be registered.
    virtual bool Register(std::string_view service, std::string_view topic,
                          ExecuteHandler onExecute) = 0;
};

// The conversations the main window owns for the life of the process.
struct DdeChannels {
    DdeClient& plover;     // DdeClientConv1: "Plover" / "Command"
    DdeClient& finchpost;  // DdeClientConv2: "Finchpost" / "Command"; lent to the address book
    DdeClient& browser;    // DdeClientConv3: the web browser's service, opened on demand
    DdeServer& server;     // topic "system" under the program's name
};

}  // namespace kestrel
