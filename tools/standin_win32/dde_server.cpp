#include "tools/standin_win32/dde_server.h"

#include <vector>

namespace kestrel::standin {

DdeServer* DdeServer::instance_ = nullptr;

HDDEDATA CALLBACK DdeServer::Callback(UINT type, UINT fmt, HCONV conv, HSZ hsz1, HSZ hsz2,
                                      HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    DdeServer* self = instance_;
    if (!self) return nullptr;
    switch (type) {
        case XTYP_CONNECT:
            // hsz1 is the topic, hsz2 the service.
            return reinterpret_cast<HDDEDATA>(
                static_cast<ULONG_PTR>(DdeCmpStringHandles(hsz1, self->topic_) == 0 &&
                                       DdeCmpStringHandles(hsz2, self->service_) == 0));
        case XTYP_EXECUTE: {
            DWORD size = DdeGetData(data, nullptr, 0, 0);
            std::vector<char> buf(size + 1, '\0');
            if (size) DdeGetData(data, reinterpret_cast<LPBYTE>(buf.data()), size, 0);
            std::string macro(buf.data());  // up to the terminating NUL
            if (self->onExecute_) self->onExecute_(macro);
            return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(DDE_FACK));
        }
        default:
            return nullptr;
    }
}

bool DdeServer::Start(const std::string& service, const std::string& topic,
                      ExecuteHandler onExecute) {
    instance_ = this;
    onExecute_ = std::move(onExecute);
    if (DdeInitializeA(&inst_, &DdeServer::Callback, APPCLASS_STANDARD, 0) != DMLERR_NO_ERROR)
        return false;
    service_ = DdeCreateStringHandleA(inst_, service.c_str(), CP_WINANSI);
    topic_ = DdeCreateStringHandleA(inst_, topic.c_str(), CP_WINANSI);
    return DdeNameService(inst_, service_, nullptr, DNS_REGISTER) != nullptr;
}

void DdeServer::Stop() {
    if (!inst_) return;
    DdeNameService(inst_, service_, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(inst_, service_);
    DdeFreeStringHandle(inst_, topic_);
    DdeUninitialize(inst_);
    inst_ = 0;
    instance_ = nullptr;
}

bool DdeServer::SendExecute(const std::string& service, const std::string& topic,
                            const std::string& macro, DWORD timeoutMs, DWORD connectWaitMs) {
    if (!inst_) return false;
    HSZ s = DdeCreateStringHandleA(inst_, service.c_str(), CP_WINANSI);
    HSZ t = DdeCreateStringHandleA(inst_, topic.c_str(), CP_WINANSI);
    HCONV conv = DdeConnect(inst_, s, t, nullptr);
    for (DWORD start = GetTickCount(); !conv && GetTickCount() - start < connectWaitMs;) {
        Sleep(200);
        conv = DdeConnect(inst_, s, t, nullptr);
    }
    bool ok = false;
    if (conv) {
        std::vector<BYTE> data(macro.begin(), macro.end());
        data.push_back(0);
        ok = DdeClientTransaction(data.data(), static_cast<DWORD>(data.size()), conv, nullptr,
                                  CF_TEXT, XTYP_EXECUTE, timeoutMs, nullptr) != nullptr;
        DdeDisconnect(conv);
    }
    DdeFreeStringHandle(inst_, s);
    DdeFreeStringHandle(inst_, t);
    return ok;
}

}  // namespace kestrel::standin
