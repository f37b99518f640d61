// Reading through a folder from the main window: next and previous mail, next and previous
// unread mail (chosen by the mail client), deletion into the trash, the three read orders and
// paging, with its move to the next or previous mail at the ends of the text.
#pragma once

#include <string>
#include <string_view>

#include "common/ini.h"
#include "viewer/link/paging.h"
#include "viewer/link/read_order.h"
#include "viewer/shell/commands.h"
#include "viewer/shell/wiring.h"

namespace kestrel {

inline constexpr std::string_view kNoMoreMail = "No more mail.";
inline constexpr std::string_view kLastMailInFolder = "Last mail in the folder.";
inline constexpr std::string_view kInvalidInNumberSearch = "Invalid in Number Search mode.";

// What navigation uses of the window, the mail display, the timer and the mail-client link.
class NavigationHost {
  public:
    virtual ~NavigationHost() = default;
    // The mail on show, lower case; "" when none.
    virtual std::string CurrentFile() const = 0;
    // The neighbours found when the mail on show was opened.
    virtual Neighbours OpenedNeighbours() const = 0;
    virtual bool SaveIfModified() = 0;
    virtual void OpenFolderMail(const std::string& path) = 0;
    // Empties the editor and forgets the mail on show: the untitled window.
    virtual void ForgetMail() = 0;
    // The editor's read-only state back to the viewer-mode setting.
    virtual void RestoreViewerMode() = 0;
    virtual void ShowMessage(std::string_view text) = 0;
    virtual void CheckReadOrder(ReadOrder order) = 0;
    // The mail whose Move macro the timer sends, or that the next open steps over.
    virtual void SetPendingDeletion(const std::string& path) = 0;
    // The next [open("...")] answers a View request: no save question.
    virtual void SetViewRequestOutstanding() = 0;
    virtual void StartTimer() = 0;
    virtual void SendToPlover(const std::string& macro) = 0;
    virtual void SendToFinchpost(const std::string& macro) = 0;
    virtual void SendUpdate() = 0;
    virtual void SendMoveToTrash() = 0;
    virtual void OpenFinchpostLink() = 0;
    // The editor as far as scrolling needs it, and its visible line count.
    virtual ScrollView& Scroller() = 0;
    virtual int VisibleLines() = 0;
};

class Navigation {
  public:
    // Registers its commands and reads its settings when the settings file is loaded.
    Navigation(NavigationHost& host, const ShellWiring& wiring);

    // Its [View] keys, read when the settings file is loaded at show.
    void ReadStartSettings(const IniFile& ini);
    // The deferred stage: the last direction starts again as "next"; the read order chosen
    // from the View menu meanwhile stays.
    void ReadDeferredSettings(const IniFile& ini);

    void Next1Click();
    void Back1Click();
    void Nextnew1Click();
    void Previousnew1Click();
    void Delete1Click();
    void Focus1Click();
    void PloverSearch1Click();
    void NumberSearch1Click();
    void FinchpostSearch1Click();
    // Asks the mail client for a mail: which is "Next", "Prev", "NextRecv" or "PrevRecv".
    void RequestView(std::string_view which);

    // Tool-bar buttons: change mail at the ends when NextMailAtEnd says so.
    void PageDown1Click();
    void PageUp1Click();
    // Page-and-mail keys: always change mail at the ends.
    void PageDown2Click();
    void PageUp2Click();
    // Page keys: never change mail.
    void PageDown3Click();
    void PageUp3Click();
    void LineDown1Click();
    void LineUp1Click();

    ReadOrder Order() const { return settings_.readOrder; }
    ReadDirection LastDirection() const { return lastDirection_; }
    const NavigationSettings& Settings() const { return settings_; }

  private:
    void Step(ReadDirection direction);
    void Page(bool down, PageSource source);
    void ScrollBy(int lines, bool mayChangeMail);
    void SetOrder(ReadOrder order);
    void Alert(std::string_view text);

    NavigationHost& host_;
    NavigationSettings settings_;
    ReadDirection lastDirection_ = ReadDirection::Next;
};

}  // namespace kestrel
