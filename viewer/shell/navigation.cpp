#include "viewer/shell/navigation.h"

#include "viewer/link/folder.h"
#include "viewer/link/neighbour.h"

namespace kestrel {

Navigation::Navigation(NavigationHost& host, const ShellWiring& wiring) : host_(host) {
    CommandRouter& c = wiring.commands;
    constexpr std::string_view kOwner = "Navigation";
    c.Register(CommandId::NextMail, kOwner, [this] { Next1Click(); });
    c.Register(CommandId::PrevMail, kOwner, [this] { Back1Click(); });
    c.Register(CommandId::NextNew, kOwner, [this] { Nextnew1Click(); });
    c.Register(CommandId::PrevNew, kOwner, [this] { Previousnew1Click(); });
    c.Register(CommandId::DeleteMail, kOwner, [this] { Delete1Click(); });
    c.Register(CommandId::Focus, kOwner, [this] { Focus1Click(); });
    c.Register(CommandId::PloverSearch, kOwner, [this] { PloverSearch1Click(); });
    c.Register(CommandId::NumberSearch, kOwner, [this] { NumberSearch1Click(); });
    c.Register(CommandId::FinchpostSearch, kOwner, [this] { FinchpostSearch1Click(); });
    c.Register(CommandId::PageDown, kOwner, [this] { PageDown1Click(); });
    c.Register(CommandId::PageUp, kOwner, [this] { PageUp1Click(); });
    c.Register(CommandId::PageDownNextKey, kOwner, [this] { PageDown2Click(); });
    c.Register(CommandId::PageUpPrevKey, kOwner, [this] { PageUp2Click(); });
    c.Register(CommandId::PageDownKey, kOwner, [this] { PageDown3Click(); });
    c.Register(CommandId::PageUpKey, kOwner, [this] { PageUp3Click(); });
    c.Register(CommandId::LineDown, kOwner, [this] { LineDown1Click(); });
    c.Register(CommandId::LineUp, kOwner, [this] { LineUp1Click(); });
    wiring.events.OnSettingsLoaded([this](const IniFile& ini) { ReadStartSettings(ini); });
    wiring.events.OnDeferredStage([this](const IniFile& ini) { ReadDeferredSettings(ini); });
}

void Navigation::ReadStartSettings(const IniFile& ini) {
    settings_ = NavigationSettingsFrom(ini);
    host_.CheckReadOrder(settings_.readOrder);
}

void Navigation::ReadDeferredSettings(const IniFile& ini) {
    // The read order may have been changed from the View menu before this tick: it stays.
    const ReadOrder order = settings_.readOrder;
    settings_ = NavigationSettingsFrom(ini);
    settings_.readOrder = order;
    lastDirection_ = ReadDirection::Next;
    host_.CheckReadOrder(settings_.readOrder);
}

void Navigation::Alert(std::string_view text) {
    if (settings_.alertDialog) host_.ShowMessage(text);
}

// --- next and previous ---------------------------------------------------------------------

void Navigation::Step(ReadDirection direction) {
    lastDirection_ = direction;
    host_.RestoreViewerMode();
    if (settings_.readOrder != ReadOrder::Number) {
        RequestView(ViewRequestOf(direction));
        return;
    }
    const int step = IsForward(direction) ? +1 : -1;
    const Neighbours opened = host_.OpenedNeighbours();
    std::string target = step > 0 ? opened.next : opened.previous;
    if (target.empty()) target = NeighbourOf(host_.CurrentFile(), step);
    if (target.empty()) {
        Alert(kNoMoreMail);
        return;
    }
    if (host_.SaveIfModified()) host_.OpenFolderMail(target);
}

void Navigation::Next1Click() {
    Step(ReadDirection::Next);
}

void Navigation::Back1Click() {
    Step(ReadDirection::Previous);
}

void Navigation::Nextnew1Click() {
    if (settings_.readOrder == ReadOrder::Number) {
        host_.ShowMessage(kInvalidInNumberSearch);
        return;
    }
    lastDirection_ = ReadDirection::NextNew;
    RequestView(ViewRequestOf(lastDirection_));
}

void Navigation::Previousnew1Click() {
    if (settings_.readOrder == ReadOrder::Number) {
        host_.ShowMessage(kInvalidInNumberSearch);
        return;
    }
    lastDirection_ = ReadDirection::PreviousNew;
    RequestView(ViewRequestOf(lastDirection_));
}

void Navigation::RequestView(std::string_view which) {
    const std::string macro = "[View(\"" + std::string(which) + "\")]";
    if (settings_.debugMode) host_.ShowMessage(macro);
    if (!host_.SaveIfModified()) return;
    host_.RestoreViewerMode();
    host_.SetViewRequestOutstanding();
    if (settings_.readOrder == ReadOrder::Finchpost) {
        host_.SendToFinchpost(macro);
    } else {
        host_.SendToPlover(macro);
    }
}

// --- deletion ------------------------------------------------------------------------------

void Navigation::Delete1Click() {
    const std::string shown = host_.CurrentFile();
    if (!CanMoveToTrash(shown) || !host_.SaveIfModified()) return;
    host_.SetPendingDeletion(shown);
    if (settings_.readOrder != ReadOrder::Number) {
        RequestView(ViewRequestOf(lastDirection_));
        // The Move goes out on the next tick whether or not the client has answered yet.
        host_.StartTimer();
        return;
    }
    const DeletionPlan plan = PlanDeletion(lastDirection_, host_.OpenedNeighbours());
    if (plan.lastMailInFolder) Alert(kLastMailInFolder);
    lastDirection_ = plan.direction;
    if (!plan.open.empty()) {
        // The open's follow-up sends the Move at once.
        host_.OpenFolderMail(plan.open);
        return;
    }
    host_.ForgetMail();
    host_.SendMoveToTrash();
}

void Navigation::Focus1Click() {
    host_.SendUpdate();
}

// --- read orders ---------------------------------------------------------------------------

void Navigation::SetOrder(ReadOrder order) {
    settings_.readOrder = order;
    host_.CheckReadOrder(order);
}

void Navigation::PloverSearch1Click() {
    SetOrder(ReadOrder::Plover);
}

void Navigation::NumberSearch1Click() {
    SetOrder(ReadOrder::Number);
}

void Navigation::FinchpostSearch1Click() {
    if (settings_.readOrder == ReadOrder::Finchpost) {
        host_.CheckReadOrder(settings_.readOrder);
        return;
    }
    SetOrder(ReadOrder::Finchpost);
    host_.OpenFinchpostLink();
}

// --- paging --------------------------------------------------------------------------------

void Navigation::ScrollBy(int lines, bool mayChangeMail) {
    switch (kestrel::ScrollBy(host_.Scroller(), lines, mayChangeMail)) {
        case ScrollOutcome::GoNext:
            Next1Click();
            break;
        case ScrollOutcome::GoPrevious:
            Back1Click();
            break;
        case ScrollOutcome::Stay:
            break;
    }
}

void Navigation::Page(bool down, PageSource source) {
    const int visible = host_.VisibleLines();
    ScrollBy(PageLines(visible, settings_.scrollPercent, down),
             MayChangeMail(source, settings_.nextMailAtEnd));
}

void Navigation::PageDown1Click() {
    Page(true, PageSource::Button);
}
void Navigation::PageUp1Click() {
    Page(false, PageSource::Button);
}
void Navigation::PageDown2Click() {
    Page(true, PageSource::KeyAndMail);
}
void Navigation::PageUp2Click() {
    Page(false, PageSource::KeyAndMail);
}
void Navigation::PageDown3Click() {
    Page(true, PageSource::KeyOnly);
}
void Navigation::PageUp3Click() {
    Page(false, PageSource::KeyOnly);
}
void Navigation::LineDown1Click() {
    ScrollBy(1, MayChangeMail(PageSource::Line, settings_.nextMailAtEnd));
}
void Navigation::LineUp1Click() {
    ScrollBy(-1, MayChangeMail(PageSource::Line, settings_.nextMailAtEnd));
}

}  // namespace kestrel
