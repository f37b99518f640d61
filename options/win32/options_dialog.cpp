#include "options/win32/options_dialog.h"

#include <commctrl.h>

#include "common/win32/cp932.h"
#include "common/win32/gui/app.h"
#include "common/win32/gui/messages.h"
#include "options/win32/control_ids.h"
#include "options/win32/key_assign_dialog.h"
#include "options/win32/resource.h"

namespace kestrel::win32 {

namespace {

constexpr int kPageCount = 6;

}  // namespace

OptionsDialog::OptionsDialog(std::string settingsPath) : dlg_(std::move(settingsPath), platform_) {
    platform_.SetKeyAssign([this] { ShowKeyAssign(); });
}

OptionsDialog::~OptionsDialog() {
    for (auto& [name, font] : fonts_)
        if (font) DeleteObject(font);
    for (auto& [colour, brush] : brushes_) DeleteObject(brush);
}

bool OptionsDialog::Run(HWND owner) {
    closedWithOk_ = false;
    RunModal(IDD_OPTIONS, owner);
    return closedWithOk_;
}

bool OptionsDialog::OnInit() {
    platform_.SetOwner(hwnd());
    wingui::SetIcon(hwnd(), wingui::IconSize::Big, wingui::LoadIconResource(IDI_KESTRELSET, false));
    wingui::SetIcon(hwnd(), wingui::IconSize::Small,
                    wingui::LoadIconResource(IDI_KESTRELSET, true));
    HWND tabs = Item(IDC_TABSET);
    for (int i = 0; i < IDS_TAB_COUNT; ++i)
        wingui::InsertTab(tabs, i, wingui::LoadStringResource(IDS_TAB_FIRST + i));

    // The pages fill the tab set's display area, above it in the z-order.
    RECT area;
    GetWindowRect(tabs, &area);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&area), 2);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    for (int i = 0; i < kPageCount; ++i) {
        HWND page =
            CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PAGE1 + i), hwnd(),
                               &OptionsDialog::PageProcedure, reinterpret_cast<LPARAM>(this));
        SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOACTIVATE);
        pages_.push_back(page);
    }
    for (const ControlId& c : kControlIds) {
        for (HWND page : pages_) {
            if (HWND h = GetDlgItem(page, c.id)) {
                controls_[c.name] = h;
                names_[h] = c.name;
            }
        }
    }
    for (const ControlDef& def : OptionControls()) {
        auto it = controls_.find(def.name);
        if (it == controls_.end()) continue;
        if (def.maxLength > 0) SendMessageW(it->second, EM_SETLIMITTEXT, def.maxLength, 0);
        if (def.kind == ControlKind::KeyBox) MakeKeyBox(it->second, this);
    }

    dlg_.FormCreate();
    wingui::SelectTab(tabs, dlg_.page());
    ShowPage(dlg_.page());
    Push();
    return true;
}

void OptionsDialog::ShowPage(int index) {
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i)
        ShowWindow(pages_[static_cast<size_t>(i)], i == index ? SW_SHOW : SW_HIDE);
}

INT_PTR CALLBACK OptionsDialog::PageProcedure(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(page, DWLP_USER, lParam);
        return FALSE;
    }
    auto* self = reinterpret_cast<OptionsDialog*>(GetWindowLongPtrW(page, DWLP_USER));
    if (!self) return FALSE;
    switch (msg) {
        case WM_COMMAND:
            self->PageCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<INT_PTR>(
                self->ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        default:
            return FALSE;
    }
}

void OptionsDialog::PageCommand(int id, int notifyCode) {
    if (notifyCode != BN_CLICKED) return;
    HWND control = nullptr;
    for (HWND page : pages_)
        if (!control) control = GetDlgItem(page, id);
    auto it = names_.find(control);
    if (it == names_.end()) return;
    Pull();
    dlg_.Click(it->second);
    Push();
}

bool OptionsDialog::OnCommand(int id, int notifyCode, HWND control) {
    switch (id) {
        case IDOK:
            Pull();
            // A file that could not be written has been reported; the values stay on show.
            if (dlg_.OKBtnClick()) {
                closedWithOk_ = true;
                End(IDOK);
            }
            return true;
        case IDCANCEL:
            End(IDCANCEL);
            return true;
        case IDC_KEY_ASSIGN:
            Pull();
            dlg_.BitBtn1Click();
            Push();
            return true;
        case IDC_HELP_BUTTON:
            dlg_.HelpBtnClick();
            return true;
        default:
            return false;
    }
}

bool OptionsDialog::OnNotify(NMHDR* header, LRESULT& result) {
    if (header->idFrom != IDC_TABSET || header->code != TCN_SELCHANGE) return false;
    dlg_.TabSetClick(wingui::SelectedTab(Item(IDC_TABSET)));
    ShowPage(dlg_.page());
    result = 0;
    return true;
}

void OptionsDialog::KeyBoxDown(int controlId, const KeyPress& key) {
    for (HWND page : pages_) {
        auto it = names_.find(GetDlgItem(page, controlId));
        if (it == names_.end()) continue;
        Pull();  // what was typed elsewhere stays
        dlg_.KeyDown(it->second, key);
        Push();
        return;
    }
}

void OptionsDialog::ShowKeyAssign() {
    KeyAssignDialog keys(dlg_.form().keys, platform_);
    keys.Run(hwnd());
}

void OptionsDialog::Pull() {
    OptionsForm& form = dlg_.form();
    for (const ControlDef& def : OptionControls()) {
        auto it = controls_.find(def.name);
        if (it == controls_.end()) continue;
        std::string name(def.name);
        switch (def.kind) {
            case ControlKind::Edit:
            case ControlKind::Number:
                form.text[name] = NarrowCp932(wingui::GetText(it->second));
                break;
            case ControlKind::Check:
            case ControlKind::Radio:
                form.checked[name] = SendMessageW(it->second, BM_GETCHECK, 0, 0) == BST_CHECKED;
                break;
            default:
                break;
        }
    }
}

void OptionsDialog::Push() {
    const OptionsForm& form = dlg_.form();
    for (const ControlDef& def : OptionControls()) {
        auto it = controls_.find(def.name);
        if (it == controls_.end()) continue;
        HWND h = it->second;
        switch (def.kind) {
            case ControlKind::Edit:
            case ControlKind::Number:
            case ControlKind::KeyBox:
            case ControlKind::Label: {
                // Only changed texts are set, so that a caret in a box stays where it is.
                std::wstring text = WidenCp932(form.Text(def.name));
                if (wingui::GetText(h) != text) wingui::SetText(h, text);
                break;
            }
            case ControlKind::Check:
            case ControlKind::Radio:
                SendMessageW(h, BM_SETCHECK, form.Checked(def.name) ? BST_CHECKED : BST_UNCHECKED,
                             0);
                break;
            default:
                break;
        }
    }
    for (const auto& [name, on] : form.enabled) {
        auto it = controls_.find(name);
        if (it != controls_.end()) EnableWindow(it->second, on ? TRUE : FALSE);
    }
    for (const auto& [name, sample] : form.samples) {
        auto it = controls_.find(name);
        if (it == controls_.end()) continue;
        const FontChoice& shown = fontShown_[name];
        if (sample.font.name != shown.name || sample.font.size != shown.size) {
            HFONT font = CreatePointFont(hwnd(), sample.font);
            if (font) {
                wingui::SetFont(it->second, font);
                if (fonts_[name]) DeleteObject(fonts_[name]);
                fonts_[name] = font;
            }
            fontShown_[name] = sample.font;
        }
        InvalidateRect(it->second, nullptr, TRUE);
    }
}

HBRUSH OptionsDialog::Brush(COLORREF colour) {
    HBRUSH& b = brushes_[colour];
    if (!b) b = CreateSolidBrush(colour);
    return b;
}

HBRUSH OptionsDialog::ControlColour(HDC dc, HWND control) {
    auto it = names_.find(control);
    if (it == names_.end()) return nullptr;
    const ControlDef* def = FindOptionControl(it->second);
    if (def && def->kind == ControlKind::KeyBox) {
        SetBkColor(dc, RGB(0xC0, 0xC0, 0xC0));
        return SilverBrush();
    }
    const OptionsForm& form = dlg_.form();
    if (form.samples.find(it->second) == form.samples.end()) return nullptr;
    const SampleBox& s = form.Sample(it->second);
    COLORREF back = ToColorRef(s.back);
    SetTextColor(dc, ToColorRef(s.font.colour));
    SetBkColor(dc, back);
    return Brush(back);
}

}  // namespace kestrel::win32
