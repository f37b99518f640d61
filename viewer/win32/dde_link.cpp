#include "viewer/win32/dde_link.h"

#include <limits>
#include <new>
#include <vector>

namespace kestrel::win32 {

namespace {

constexpr UINT kDeliverMessage = WM_APP + 0x3D;
constexpr char kSinkClass[] = "KestrelDdeSink";

HSZ MakeHsz(DWORD inst, std::string_view text) {
    std::string s(text);
    return DdeCreateStringHandleA(inst, s.c_str(), CP_WINANSI);
}

HDDEDATA AsData(ULONG_PTR value) {
    return reinterpret_cast<HDDEDATA>(value);
}

}  // namespace

DdeLink* DdeLink::instance_ = nullptr;

// --- client conversations ----------------------------------------------------------------

bool DdeClientLink::Open(std::string_view service, std::string_view topic) {
    Close();
    DWORD inst = link_.Instance();
    if (!inst) return false;
    HSZ s = MakeHsz(inst, service);
    HSZ t = MakeHsz(inst, topic);
    if (s && t) conv_ = DdeConnect(inst, s, t, nullptr);
    if (s) DdeFreeStringHandle(inst, s);
    if (t) DdeFreeStringHandle(inst, t);
    return conv_ != nullptr;
}

void DdeClientLink::Close() {
    if (!conv_) return;
    DdeDisconnect(conv_);
    conv_ = nullptr;
}

bool DdeClientLink::Execute(std::string_view macro) {
    if (!conv_) return false;
    // CF_TEXT ends at the first NUL: a macro holding one would arrive cut, so it is refused.
    if (macro.find('\0') != std::string_view::npos) return false;
    if (macro.size() >= std::numeric_limits<DWORD>::max()) return false;
    std::vector<BYTE> data(macro.begin(), macro.end());
    data.push_back(0);
    // The bytes are copied by DDEML; no data handle is made here, so none is left to free.
    DWORD transaction = 0;
    HDDEDATA result =
        DdeClientTransaction(data.data(), static_cast<DWORD>(data.size()), conv_, nullptr, CF_TEXT,
                             XTYP_EXECUTE, TIMEOUT_ASYNC, &transaction);
    return result != nullptr;
}

// --- server topic ----------------------------------------------------------------------------

bool DdeServerLink::Register(std::string_view service, std::string_view topic,
                             ExecuteHandler onExecute) {
    DWORD inst = link_.Instance();
    if (!inst || service_) return false;
    handler_ = std::move(onExecute);
    service_ = MakeHsz(inst, service);
    topic_ = MakeHsz(inst, topic);
    if (!service_ || !topic_) return false;
    return DdeNameService(inst, service_, nullptr, DNS_REGISTER) != nullptr;
}

// --- the instance ----------------------------------------------------------------------------

DdeLink::DdeLink() = default;

DdeLink::~DdeLink() {
    plover_.Close();
    finchpost_.Close();
    browser_.Close();
    if (inst_) {
        if (server_.service_) {
            DdeNameService(inst_, server_.service_, nullptr, DNS_UNREGISTER);
            DdeFreeStringHandle(inst_, server_.service_);
        }
        if (server_.topic_) DdeFreeStringHandle(inst_, server_.topic_);
        DdeUninitialize(inst_);
        inst_ = 0;
    }
    if (sink_) DestroyWindow(sink_);
    if (instance_ == this) instance_ = nullptr;
}

bool DdeLink::Initialize() {
    if (inst_) return true;
    if (instance_ && instance_ != this) return false;
    instance_ = this;

    HINSTANCE module = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &DdeLink::SinkProc;
    wc.hInstance = module;
    wc.lpszClassName = kSinkClass;
    RegisterClassExA(&wc);  // fails harmlessly when already registered
    sink_ =
        CreateWindowExA(0, kSinkClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, nullptr);

    UINT rc =
        DdeInitializeA(&inst_, &DdeLink::Callback,
                       APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES | CBF_FAIL_REQUESTS |
                           CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS,
                       0);
    if (rc != DMLERR_NO_ERROR) {
        inst_ = 0;
        return false;
    }
    return true;
}

HDDEDATA CALLBACK DdeLink::Callback(UINT type, UINT, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                    ULONG_PTR, ULONG_PTR) {
    DdeLink* self = instance_;
    if (!self) return nullptr;
    const DdeServerLink& server = self->server_;
    switch (type) {
        case XTYP_CONNECT:
            // hsz1 is the topic, hsz2 the service.
            return AsData(server.service_ && server.topic_ &&
                          DdeCmpStringHandles(hsz1, server.topic_) == 0 &&
                          DdeCmpStringHandles(hsz2, server.service_) == 0);
        case XTYP_EXECUTE:
            return self->OnExecute(hsz1, data);
        case XTYP_DISCONNECT:
            self->OnDisconnect(conv);
            return nullptr;
        default:
            // XTYP_XACT_COMPLETE of our asynchronous executes included: nobody waits for them.
            return nullptr;
    }
}

HDDEDATA DdeLink::OnExecute(HSZ topic, HDDEDATA data) {
    if (!server_.topic_ || DdeCmpStringHandles(topic, server_.topic_) != 0) {
        return AsData(DDE_FNOTPROCESSED);
    }
    // A request that cannot be kept is refused, never acknowledged and dropped: busy tells the
    // mail client to send it again later.
    if (incoming_.size() >= kMaxQueued) return AsData(DDE_FBUSY);
    std::string text;
    try {
        if (data) {
            // All of it: a request cut short would name another path.
            DWORD size = DdeGetData(data, nullptr, 0, 0);
            if (size > 0) {
                text.resize(size);
                DWORD got = DdeGetData(data, reinterpret_cast<LPBYTE>(&text[0]), size, 0);
                text.resize(got <= size ? got : 0);
            }
            size_t nul = text.find('\0');
            if (nul != std::string::npos) text.erase(nul);
        }
        incoming_.push_back(std::move(text));
    } catch (const std::bad_alloc&) {
        return AsData(DDE_FNOTPROCESSED);
    }
    // Acknowledged at once; the request is carried out from the message loop, where it may
    // ask about unsaved changes without holding up the sender.
    if (sink_) PostMessageA(sink_, kDeliverMessage, 0, 0);
    return AsData(DDE_FACK);
}

void DdeLink::OnDisconnect(HCONV conv) {
    for (DdeClientLink* c : {&plover_, &finchpost_, &browser_}) {
        if (c->conv_ == conv) c->conv_ = nullptr;
    }
}

void DdeLink::DeliverOne() {
    // A request that arrives while one is being carried out (a message box pumps messages)
    // waits for it to end.
    if (delivering_ || incoming_.empty()) return;
    delivering_ = true;
    std::string text = std::move(incoming_.front());
    incoming_.pop_front();
    if (server_.handler_) server_.handler_(text);
    delivering_ = false;
    if (!incoming_.empty() && sink_) PostMessageA(sink_, kDeliverMessage, 0, 0);
}

LRESULT CALLBACK DdeLink::SinkProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kDeliverMessage) {
        if (instance_) instance_->DeliverOne();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace kestrel::win32
