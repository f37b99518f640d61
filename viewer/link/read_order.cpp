#include "viewer/link/read_order.h"

#include "common/settings.h"
#include "common/sjis.h"
#include "viewer/link/folder.h"
#include "viewer/link/neighbour.h"

namespace kestrel {

ReadOrder ReadOrderFrom(int32_t mode) {
    if (mode == 1) return ReadOrder::Plover;
    if (mode == 2) return ReadOrder::Finchpost;
    return ReadOrder::Number;
}

std::string_view ViewRequestOf(ReadDirection direction) {
    switch (direction) {
        case ReadDirection::Next:
            return "Next";
        case ReadDirection::Previous:
            return "Prev";
        case ReadDirection::NextNew:
            return "NextRecv";
        case ReadDirection::PreviousNew:
            return "PrevRecv";
    }
    return "Next";
}

ReadDirection Reversed(ReadDirection direction) {
    if (direction == ReadDirection::Next) return ReadDirection::Previous;
    if (direction == ReadDirection::Previous) return ReadDirection::Next;
    return direction;
}

NavigationSettings NavigationSettingsFrom(const IniFile& ini) {
    NavigationSettings s;
    s.readOrder = ReadOrderFrom(ViewerInt(ini, "View", "NextMailMode"));
    s.scrollPercent = ViewerInt(ini, "View", "ScrollPercent");
    s.nextMailAtEnd = ViewerBool(ini, "View", "NextMailAtEnd");
    s.alertDialog = ViewerBool(ini, "View", "AlertDialog");
    s.debugMode = ViewerBool(ini, "View", "DebugMode");
    return s;
}

Neighbours NeighboursOf(const std::string& shown, const std::string& pendingDeletion) {
    Neighbours n;
    n.next = NeighbourOf(shown, +1);
    if (!pendingDeletion.empty() && n.next == pendingDeletion) {
        n.next = NeighbourOf(pendingDeletion, +1);
    }
    n.previous = NeighbourOf(shown, -1);
    if (!pendingDeletion.empty() && n.previous == pendingDeletion) {
        n.previous = NeighbourOf(pendingDeletion, -1);
    }
    return n;
}

bool CanMoveToTrash(std::string_view path) {
    return IsFolderMail(path) && FindDbcs(LowerSjis(path), "trash") == std::string_view::npos;
}

DeletionPlan PlanDeletion(ReadDirection last, const Neighbours& around) {
    DeletionPlan plan;
    plan.direction = last;
    if ((last == ReadDirection::Previous && around.previous.empty()) ||
        (last == ReadDirection::Next && around.next.empty())) {
        plan.lastMailInFolder = true;
        plan.direction = Reversed(last);
    }
    if (around.next.empty() && around.previous.empty()) return plan;
    if ((IsForward(plan.direction) && !around.next.empty()) || around.previous.empty()) {
        plan.open = around.next;
    } else {
        plan.open = around.previous;
    }
    return plan;
}

}  // namespace kestrel
