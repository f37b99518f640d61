// Reading through a folder: the three read orders, the directions of reading, the neighbours
// of the mail on show, and which mail a deletion shows next. Navigation commands in the shell
// decide with these; the files and the mail client are reached from there.
#pragma once

#include <string>
#include <string_view>

#include "common/ini.h"

namespace kestrel {

// Who picks the next mail: the viewer by file number, or one of the mail clients in its own
// list order.
enum class ReadOrder : int { Number = 0, Plover = 1, Finchpost = 2 };

// NextMailMode as a read order; values the viewer does not know read as number order, which
// works without any mail client.
ReadOrder ReadOrderFrom(int32_t mode);

// The last navigation. The values are those the mail client's View request is chosen by.
enum class ReadDirection : int { Next = 1, Previous = -1, NextNew = 2, PreviousNew = -2 };

// The argument of [View("...")] for a direction: "Next", "Prev", "NextRecv", "PrevRecv".
std::string_view ViewRequestOf(ReadDirection direction);
// Next and Previous swapped; the unread directions stay as they are.
ReadDirection Reversed(ReadDirection direction);
inline bool IsForward(ReadDirection d) {
    return static_cast<int>(d) > 0;
}

// [View] keys the folder navigation reads.
struct NavigationSettings {
    ReadOrder readOrder = ReadOrder::Number;  // NextMailMode
    int32_t scrollPercent = 100;              // ScrollPercent; <= 0: a page of that many lines
    bool nextMailAtEnd = true;                // NextMailAtEnd: the page buttons change mail
    bool alertDialog = true;                  // AlertDialog: "No more mail." and the like
    bool debugMode = false;                   // DebugMode
};
NavigationSettings NavigationSettingsFrom(const IniFile& ini);

// The mails around the one on show in number order ("" where there is none).
struct Neighbours {
    std::string next, previous;
};

// The neighbours of shown; a mail whose deletion is still pending (its Move macro not yet sent)
// is stepped over, as the mail client is about to take it away. pendingDeletion is "" or a path.
Neighbours NeighboursOf(const std::string& shown, const std::string& pendingDeletion);

// Only a folder mail outside the trash can be sent to the trash.
bool CanMoveToTrash(std::string_view path);

// What a deletion in number order shows afterwards.
struct DeletionPlan {
    bool lastMailInFolder = false;  // the direction ran out: "Last mail in the folder."
    ReadDirection direction = ReadDirection::Next;  // the last direction from now on
    std::string open;  // the mail to show; "" when the folder is empty now
};
DeletionPlan PlanDeletion(ReadDirection last, const Neighbours& around);

}  // namespace kestrel
