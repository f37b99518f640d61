#include "viewer/shell/mail_parts.h"

namespace kestrel {

MailParts::MailParts(const Platform& platform, const DdeChannels& dde, ShellHooks hooks)
    : link_(platform, dde), display_(platform, link_) {
    link_.Plug(hooks);
    display_.Plug(hooks);
    form_ = std::make_unique<TForm1>(platform, std::move(hooks));
    link_.Attach(*form_);
    display_.Attach(*form_);
    link_.SetOpenFolderMail([this](const std::string& path) { display_.OpenFolderMail(path); });
    link_.OpenPloverConversation();
    link_.RegisterServer();
}

}  // namespace kestrel
