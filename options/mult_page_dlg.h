// The options dialog's behaviour (TMultPageDlg): six pages of controls read from the settings
// file when it is created, the browse, colour and font buttons, the phrase and command key
// boxes, and OK writing back only what changed. The view puts the controls' values into
// form() before each handler and shows form() again after it.
#pragma once

#include <string>
#include <string_view>

#include "options/key_assign.h"
#include "options/options_form.h"
#include "options/options_platform.h"

namespace kestrel {

// The message of a start without the settings file's path.
extern const char kStartFromViewer[];
// The message of a write pass that could not reach the disk (the path follows).
extern const char kCannotWriteSettings[];

// The settings file from the program's whole command line: everything after the program's own
// name (blanks at both ends and one pair of enclosing quotes dropped), since the viewer passes
// the path without quotes even when it holds blanks; without it, after the message,
// "kestrel.ini" in the options editor's own folder (programDir ends with a separator).
std::string SettingsPathFromCommandLine(std::string_view commandLine, std::string_view programDir,
                                        OptionsPlatform& platform);

class TMultPageDlg {
  public:
    TMultPageDlg(std::string settingsPath, OptionsPlatform& platform);

    // The read pass; page 1 is shown.
    void FormCreate();

    OptionsForm& form() { return form_; }
    const OptionsForm& form() const { return form_; }
    const std::string& settingsPath() const { return path_; }

    int page() const { return page_; }
    void TabSetClick(int index);
    // The help context of the page on show.
    int HelpContext() const { return page_ == 4 ? 250 : 45; }

    // A click on a button, check box or radio button of the pages.
    void Click(std::string_view control);
    // A key press in a phrase or command key box.
    void KeyDown(std::string_view control, const KeyPress& key);

    // The write pass. True when the dialog may close; a file that cannot be written is
    // reported and the dialog stays open with the user's values.
    bool OKBtnClick();
    void BitBtn1Click() { platform_.ShowKeyAssign(); }
    void HelpBtnClick() { platform_.ShowHelp("kestrel.hlp", "option"); }

  private:
    void Browse(std::string_view box, std::string_view filter);
    void BrowseCommand(std::string_view box);
    void ColourButton(std::string_view button);
    void FontButton(std::string_view button);
    void SelectRadio(std::string_view control);

    std::string path_;
    OptionsPlatform& platform_;
    OptionsForm form_;
    int page_ = 0;
    Colour lastColour_ = kBlack;  // the colour dialog starts with the colour chosen last
};

}  // namespace kestrel
