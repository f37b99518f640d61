#include "viewer/win32/platform_win32.h"

#include <commdlg.h>
#include <shellapi.h>
// The macro would rename StandardDialogs::ChooseFont; the wide function is called by name.
#undef ChooseFont

#include <algorithm>
#include <vector>

#include "common/sjis_unicode.h"
#include "common/win32/cp932.h"

namespace kestrel::win32 {

std::wstring WideLossless(std::string_view sjis) {
    std::u16string u = SjisToUtf16(sjis);
    return std::wstring(u.begin(), u.end());
}

std::string SjisLossless(std::wstring_view wide) {
    std::u16string u(wide.begin(), wide.end());
    return Utf16ToSjis(u);
}

// --- message boxes -------------------------------------------------------------------------

MessageAnswer WinMessageBoxes::Show(std::string_view text, std::string_view caption,
                                    MessageButtons buttons, MessageKind kind) {
    UINT flags = MB_OK;
    switch (buttons) {
        case MessageButtons::Ok:
            flags = MB_OK;
            break;
        case MessageButtons::OkCancel:
            flags = MB_OKCANCEL;
            break;
        case MessageButtons::YesNo:
            flags = MB_YESNO;
            break;
        case MessageButtons::YesNoCancel:
            flags = MB_YESNOCANCEL;
            break;
    }
    switch (kind) {
        case MessageKind::Plain:
            break;
        case MessageKind::Information:
            flags |= MB_ICONINFORMATION;
            break;
        case MessageKind::Warning:
            flags |= MB_ICONWARNING;
            break;
        case MessageKind::Error:
            flags |= MB_ICONERROR;
            break;
        case MessageKind::Confirmation:
            flags |= MB_ICONQUESTION;
            break;
    }
    HWND owner = owner_ ? owner_() : nullptr;
    if (owner && !IsWindowVisible(owner)) owner = nullptr;
    int r = MessageBoxW(owner, WidenCp932(text).c_str(), WidenCp932(caption).c_str(),
                        flags | MB_SETFOREGROUND);
    switch (r) {
        case IDYES:
            return MessageAnswer::Yes;
        case IDNO:
            return MessageAnswer::No;
        case IDOK:
            return MessageAnswer::Ok;
        default:
            // Closing a box without a Cancel button (the close box, Escape) answers its safe
            // choice.
            if (buttons == MessageButtons::YesNo) return MessageAnswer::No;
            if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
            return MessageAnswer::Cancel;
    }
}

// --- standard dialogs ------------------------------------------------------------------------

std::wstring FileDialogFilter(std::string_view filter) {
    std::wstring w = WidenCp932(filter);
    for (wchar_t& c : w)
        if (c == L'|') c = L'\0';
    w.push_back(L'\0');
    w.push_back(L'\0');
    return w;
}

bool WinStandardDialogs::Run(const FileDialogRequest& request, std::string& chosen, bool save) {
    std::wstring filter = FileDialogFilter(request.filter);
    std::wstring dir = WidenPath(request.initialDir);
    std::wstring ext = WidenCp932(request.defaultExt);
    std::vector<wchar_t> name(32768, L'\0');
    std::wstring proposed = WidenPath(request.fileName);
    if (proposed.size() < name.size()) std::copy(proposed.begin(), proposed.end(), name.begin());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_ ? owner_() : nullptr;
    ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
    BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return false;
    chosen = NarrowCp932(name.data());
    return true;
}

bool WinStandardDialogs::OpenFile(const FileDialogRequest& request, std::string& chosen) {
    return Run(request, chosen, false);
}

bool WinStandardDialogs::SaveFile(const FileDialogRequest& request, std::string& chosen) {
    return Run(request, chosen, true);
}

bool WinStandardDialogs::ChooseFont(FontChoice& font) {
    HWND owner = owner_ ? owner_() : nullptr;
    HDC dc = GetDC(owner);
    int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(owner, dc);
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(font.size > 0 ? font.size : 10, dpi, 72);
    lf.lfCharSet = SHIFTJIS_CHARSET;
    std::wstring face = WidenCp932(font.name);
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontW(&cf)) return false;
    font.name = NarrowCp932(lf.lfFaceName);
    font.size = cf.iPointSize / 10;
    return true;
}

// --- registry, environment -------------------------------------------------------------------

std::string ClassesRootLookup::Value(std::string_view key) const {
    std::wstring sub = WidenCp932(key);
    while (!sub.empty() && sub[0] == L'\\') sub.erase(0, 1);
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, sub.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS)
        return {};
    std::string result;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(h, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
        std::vector<wchar_t> buf(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
        if (RegQueryValueExW(h, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()),
                             &got) == ERROR_SUCCESS)
            result = NarrowCp932(buf.data());  // stops at the first NUL
    }
    RegCloseKey(h);
    return result;
}

std::string WinEnvironment::Variable(std::string_view name) const {
    std::wstring n = WidenCp932(name);
    DWORD size = GetEnvironmentVariableW(n.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::vector<wchar_t> buf(size + 1, L'\0');
    GetEnvironmentVariableW(n.c_str(), buf.data(), size + 1);
    return NarrowCp932(buf.data());
}

std::string WinEnvironment::WindowsFolder() const {
    wchar_t buf[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryW(buf, MAX_PATH);
    if (n == 0 || n > MAX_PATH) return {};
    std::string s = NarrowCp932(buf);
    while (!s.empty() && (s.back() == '\\' || s.back() == '/')) s.pop_back();
    return s;
}

std::string WinEnvironment::ProgramPath() const {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return NarrowCp932(std::wstring_view(buf.data(), n));
        buf.resize(buf.size() * 2);
    }
}

// --- processes and windows -------------------------------------------------------------------

bool WinProcessLauncher::Start(std::string_view commandLine) {
    std::wstring cmd = WidenCp932(commandLine);
    if (cmd.empty()) return false;
    cmd.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

bool WinProcessLauncher::ShellOpen(std::string_view target) {
    std::wstring t = WidenCp932(target);
    if (t.empty()) return false;
    HINSTANCE r = ShellExecuteW(nullptr, L"open", t.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(r) > 32;
}

bool WinWindowFinder::ExistsWithClass(std::string_view className) const {
    return FindWindowW(WidenCp932(className).c_str(), nullptr) != nullptr;
}

bool WinWindowFinder::ExistsWithTitle(std::string_view title) const {
    return FindWindowW(nullptr, WidenCp932(title).c_str()) != nullptr;
}

// --- clipboard -------------------------------------------------------------------------------

namespace {

// The clipboard is held by one program at a time: another may have it open for a moment.
bool OpenClipboardRetrying() {
    for (int i = 0; i < 10; ++i) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(20);
    }
    return false;
}

}  // namespace

std::string WinClipboard::Text() const {
    if (!OpenClipboardRetrying()) return {};
    std::string result;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            size_t max = GlobalSize(h) / sizeof(wchar_t);
            size_t n = 0;
            while (n < max && p[n]) ++n;
            result = SjisLossless(std::wstring_view(p, n));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return result;
}

void WinClipboard::SetText(std::string_view text) {
    std::wstring w = WideLossless(text);
    if (!OpenClipboardRetrying()) return;
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t));
    if (h) {
        if (wchar_t* p = static_cast<wchar_t*>(GlobalLock(h))) {
            std::copy(w.begin(), w.end(), p);
            p[w.size()] = L'\0';
            GlobalUnlock(h);
            if (!SetClipboardData(CF_UNICODETEXT, h)) GlobalFree(h);
        } else {
            GlobalFree(h);
        }
    }
    CloseClipboard();
}

// --- timer -----------------------------------------------------------------------------------

void WinOneShotTimer::SetInterval(int milliseconds) {
    interval_ = milliseconds > 0 ? milliseconds : 1;
    // A running timer starts its countdown again with the new interval.
    if (running_) Start();
}

void WinOneShotTimer::Start() {
    HWND h = owner_ ? owner_() : nullptr;
    if (!h) return;
    running_ = SetTimer(h, kTimerId, static_cast<UINT>(interval_), nullptr) != 0;
}

void WinOneShotTimer::Stop() {
    HWND h = owner_ ? owner_() : nullptr;
    if (h) KillTimer(h, kTimerId);
    running_ = false;
}

void WinOneShotTimer::Tick() {
    Stop();
    if (onTick_) onTick_();
}

// --- printing and help -----------------------------------------------------------------------

bool WinPrinter::PrintText(const std::vector<std::string>& lines, const FontChoice& font) {
    // The default printer, without asking.
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgW(&pd) || !pd.hDC) {
        messages_.Show(kNoPrinter, "Kestrel32", MessageButtons::Ok, MessageKind::Error);
        if (pd.hDevMode) GlobalFree(pd.hDevMode);
        if (pd.hDevNames) GlobalFree(pd.hDevNames);
        return false;
    }
    HDC dc = pd.hDC;
    int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    int pageHeight = GetDeviceCaps(dc, VERTRES);
    std::wstring face = WidenCp932(font.name);
    HFONT f =
        CreateFontW(-MulDiv(font.size > 0 ? font.size : 10, dpiY, 72), 0, 0, 0, FW_NORMAL, FALSE,
                    FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face.c_str());
    HGDIOBJ old = f ? SelectObject(dc, f) : nullptr;
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    int lineHeight = std::max<int>(tm.tmHeight + tm.tmExternalLeading, 1);
    int margin = dpiY / 2;
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = L"Kestrel32";
    bool ok = StartDocW(dc, &doc) > 0 && StartPage(dc) > 0;
    int y = margin;
    for (size_t i = 0; ok && i < lines.size(); ++i) {
        if (y + lineHeight > pageHeight - margin && y > margin) {
            ok = EndPage(dc) > 0 && StartPage(dc) > 0;
            y = margin;
        }
        // Lossless, as the editor shows it: bytes that are no character are not dropped.
        std::wstring w = WideLossless(lines[i]);
        if (!w.empty())
            TabbedTextOutW(dc, 0, y, w.c_str(), static_cast<int>(w.size()), 0, nullptr, 0);
        y += lineHeight;
    }
    if (ok) {
        ok = EndPage(dc) > 0 && EndDoc(dc) > 0;
    } else {
        AbortDoc(dc);
        messages_.Show(kPrintFailed, "Kestrel32", MessageButtons::Ok, MessageKind::Error);
    }
    if (old) SelectObject(dc, old);
    if (f) DeleteObject(f);
    DeleteDC(dc);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    return ok;
}

void WinHelpViewer::ShowContents(std::string_view helpFile) {
    WinProcessLauncher launcher;
    if (!helpFile.empty() && launcher.ShellOpen(helpFile)) return;
    std::string text(kHelpUnavailable);
    text.replace(text.find("%s"), 2, helpFile);
    messages_.Show(text, "Kestrel32", MessageButtons::Ok, MessageKind::Warning);
}

}  // namespace kestrel::win32
