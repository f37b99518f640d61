#include "options/win32/platform_win32.h"

#include <commdlg.h>
#include <shellapi.h>

#include "common/fileio.h"
#include "common/win32/cp932.h"
#include "options/win32/options_help.h"

namespace kestrel::win32 {

COLORREF ToColorRef(Colour colour) {
    if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFF));
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

HFONT CreatePointFont(HWND reference, const FontChoice& font) {
    if (font.name.empty() || font.size <= 0) return nullptr;
    HDC dc = GetDC(reference);
    int height = -MulDiv(font.size, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(reference, dc);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, WidenCp932(font.name).c_str());
}

void WinOptionsPlatform::ShowMessage(std::string_view text) {
    MessageBoxW(owner_, WidenCp932(text).c_str(), kMessageCaption, MB_OK);
}

std::optional<std::string> WinOptionsPlatform::OpenFile(std::string_view filter) {
    // "name|mask|name|mask" becomes the dialog's list of zero-terminated pairs.
    std::wstring pairs = WidenCp932(filter);
    for (wchar_t& c : pairs)
        if (c == L'|') c = L'\0';
    pairs.push_back(L'\0');
    pairs.push_back(L'\0');
    wchar_t file[MAX_PATH * 2] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = pairs.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH * 2;
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameW(&ofn)) return std::nullopt;
    return NarrowCp932(file);
}

std::optional<Colour> WinOptionsPlatform::ChooseColour(Colour initial) {
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner_;
    cc.rgbResult = ToColorRef(initial);
    cc.lpCustColors = customColours_;
    cc.Flags = CC_RGBINIT | CC_ANYCOLOR;
    if (!ChooseColorW(&cc)) return std::nullopt;
    return static_cast<Colour>(cc.rgbResult);
}

std::optional<FontChoice> WinOptionsPlatform::PickFont(const FontChoice& initial) {
    LOGFONTW lf{};
    std::wstring name = WidenCp932(initial.name);
    lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    HDC dc = GetDC(owner_);
    lf.lfHeight = -MulDiv(initial.size > 0 ? initial.size : 9, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(owner_, dc);
    lf.lfCharSet = DEFAULT_CHARSET;
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner_;
    cf.lpLogFont = &lf;
    cf.rgbColors = ToColorRef(initial.colour);
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | (name.empty() ? 0 : CF_INITTOLOGFONTSTRUCT);
    if (!ChooseFontW(&cf)) return std::nullopt;
    FontChoice out;
    out.name = NarrowCp932(lf.lfFaceName);
    out.size = cf.iPointSize / 10;
    out.colour = static_cast<Colour>(cf.rgbColors);
    return out;
}

void WinOptionsPlatform::ShowHelp(std::string_view, std::string_view topic) {
    // The old help file only where it and its viewer still exist; else the HTML page beside
    // the programs, where the viewer opens it too.
    ShowOptionsHelp(owner_, topic);
}

}  // namespace kestrel::win32
