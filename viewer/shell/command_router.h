// The one place a command id is turned into work. Every menu entry, pop-up entry, tool-bar button
// and key-dispatch slot names a CommandId; each id has exactly one owner, the feature that
// registered its handler. An id that nobody owns yet does nothing and is shown greyed.
//
// To find what a menu entry does: its caption is in menus.cpp next to its CommandId; grep for
// "Register(CommandId::<Name>" to find the owner and its handler.
#pragma once

#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/shell/commands.h"

namespace kestrel {

class MainWindow;

// Thrown when a second owner registers a command id: a wiring fault, found by the tests.
class DuplicateRegistration : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

class CommandRouter {
  public:
    using Handler = std::function<void()>;

    // Makes owner (the feature's class name) the one handler of id. Throws DuplicateRegistration
    // when id already has an owner.
    void Register(CommandId id, std::string_view owner, Handler handler);
    // Runs the handler of id; false when nobody owns id.
    bool Execute(CommandId id) const;
    bool Owned(CommandId id) const { return !Slot(id).owner.empty(); }
    // "" when nobody owns id.
    const std::string& OwnerOf(CommandId id) const { return Slot(id).owner; }
    // The ids of ids that nobody owns, in their order.
    std::vector<CommandId> Unowned(const std::vector<CommandId>& ids) const;
    // Greys the entries and buttons of the ids nobody owns, so that the user sees which are
    // not there yet; the owned ones are enabled.
    void ShowOwnership(MainWindow& window, const std::vector<CommandId>& ids) const;

  private:
    struct Entry {
        std::string owner;
        Handler handler;
    };
    const Entry& Slot(CommandId id) const;
    std::array<Entry, size_t(CommandId::Count)> entries_;
};

// The name of a command id as written in commands.h ("Next1" style names are the handlers').
std::string_view CommandName(CommandId id);

}  // namespace kestrel
