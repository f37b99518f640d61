#include "options/key_assign.h"

namespace kestrel {

bool AssignKeyInBox(KeyTable& keys, size_t entry, const KeyPress& key, OptionsPlatform& platform) {
    int32_t before = keys.Get(entry);
    KeyTable::AssignOutcome out = keys.TryAssign(entry, key.vk, key.shift, key.ctrl, key.alt);
    if (out.result == KeyTable::AssignResult::Refused) {
        platform.ShowMessage(out.message);
        return false;
    }
    return out.result == KeyTable::AssignResult::Stored && keys.Get(entry) != before;
}

}  // namespace kestrel
