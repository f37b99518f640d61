#include "viewer/shell/help_command.h"

#include "common/fileio.h"
#include "common/help_file.h"

namespace kestrel {

void ShowHelpContents(TForm1& form, const Platform& platform) {
    HelpRoute route = ChooseHelp(DirectoryOf(platform.environment.ProgramPath()),
                                 platform.environment.WindowsFolder(), "");
    switch (route.kind) {
        case HelpRoute::Kind::WinHelp:
            form.LaunchProgram(route.program, route.argument, "");
            return;
        case HelpRoute::Kind::Browser:
            platform.help.ShowContents(route.target);
            return;
        case HelpRoute::Kind::Missing:
            platform.messages.Show(std::string(kHelpMissingMessage) + route.target, kAppTitle,
                                   MessageButtons::Ok, MessageKind::Warning);
            return;
    }
}

}  // namespace kestrel
