// A minimal DDEML server for the stand-in programs: one service, one topic, execute only.
// The ANSI DDEML is used on purpose: macro strings are Shift-JIS bytes and must arrive as sent.
#pragma once

#include <windows.h>
// DDEML needs the types of windows.h.

#include <ddeml.h>

#include <functional>
#include <string>

namespace kestrel::standin {

class DdeServer {
  public:
    using ExecuteHandler = std::function<void(const std::string& macro)>;

    // Registers service/topic. onExecute runs inside the DDE callback: keep it short (post a
    // message to the window and do the work there).
    bool Start(const std::string& service, const std::string& topic, ExecuteHandler onExecute);
    void Stop();
    ~DdeServer() { Stop(); }

    // Sends one execute to service/topic on a fresh conversation (connect, execute, disconnect),
    // waiting at most timeoutMs for the acknowledgement. A server that is still starting is
    // given up to connectWaitMs to answer the connection. False when nobody answers.
    bool SendExecute(const std::string& service, const std::string& topic, const std::string& macro,
                     DWORD timeoutMs = 2000, DWORD connectWaitMs = 0);

  private:
    static HDDEDATA CALLBACK Callback(UINT type, UINT fmt, HCONV conv, HSZ hsz1, HSZ hsz2,
                                      HDDEDATA data, ULONG_PTR d1, ULONG_PTR d2);
    DWORD inst_ = 0;
    HSZ service_ = nullptr;
    HSZ topic_ = nullptr;
    ExecuteHandler onExecute_;
    static DdeServer* instance_;
};

}  // namespace kestrel::standin
