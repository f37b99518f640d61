// The command channel over DDEML: one ANSI DDEML instance for the process, the main window's
// three client conversations and the server topic "system". Macro strings travel as CF_TEXT
// bytes with their terminating NUL, string handles in CP_WINANSI, so Shift-JIS arrives as sent.
#pragma once

#include <windows.h>
// WIN32_LEAN_AND_MEAN leaves DDEML out of <windows.h>.
#include <ddeml.h>

#include <deque>
#include <string>
#include <string_view>

#include "viewer/shell/dde.h"

namespace kestrel::win32 {

class DdeLink;

class DdeClientLink : public DdeClient {
  public:
    explicit DdeClientLink(DdeLink& link) : link_(link) {}
    ~DdeClientLink() override { Close(); }
    DdeClientLink(const DdeClientLink&) = delete;
    DdeClientLink& operator=(const DdeClientLink&) = delete;

    bool Open(std::string_view service, std::string_view topic) override;
    bool IsOpen() const override { return conv_ != nullptr; }
    void Close() override;
    // An asynchronous execute (TIMEOUT_ASYNC): never waited on, its completion is ignored.
    bool Execute(std::string_view macro) override;

  private:
    friend class DdeLink;
    DdeLink& link_;
    HCONV conv_ = nullptr;
};

class DdeServerLink : public DdeServer {
  public:
    explicit DdeServerLink(DdeLink& link) : link_(link) {}
    bool Register(std::string_view service, std::string_view topic,
                  ExecuteHandler onExecute) override;

  private:
    friend class DdeLink;
    DdeLink& link_;
    HSZ service_ = nullptr;
    HSZ topic_ = nullptr;
    ExecuteHandler handler_;
};

// Create on the user-interface thread, before the main window's parts; one per process (the
// DDEML callback has no context of its own). Without DDEML (Initialize failed) every
// conversation stays closed and nothing is registered: the viewer works without its clients.
class DdeLink {
  public:
    DdeLink();
    ~DdeLink();
    DdeLink(const DdeLink&) = delete;
    DdeLink& operator=(const DdeLink&) = delete;

    bool Initialize();
    DWORD Instance() const { return inst_; }
    DdeChannels Channels() { return DdeChannels{plover_, finchpost_, browser_, server_}; }

    // The most transactions waiting for the message loop; the next one is answered busy.
    static constexpr size_t kMaxQueued = 64;

  private:
    static HDDEDATA CALLBACK Callback(UINT type, UINT fmt, HCONV conv, HSZ hsz1, HSZ hsz2,
                                      HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);
    static LRESULT CALLBACK SinkProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HDDEDATA OnExecute(HSZ topic, HDDEDATA data);
    void OnDisconnect(HCONV conv);
    void DeliverOne();

    DWORD inst_ = 0;
    HWND sink_ = nullptr;  // message-only window: incoming requests run from the message loop
    DdeClientLink plover_{*this}, finchpost_{*this}, browser_{*this};
    DdeServerLink server_{*this};
    std::deque<std::string> incoming_;
    bool delivering_ = false;
    static DdeLink* instance_;
};

}  // namespace kestrel::win32
