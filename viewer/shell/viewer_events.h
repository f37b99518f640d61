// Moments of the viewer's life that several features react to. Listeners run in the order they
// were added; the Viewer adds them in its constructor, so that order is written in one place.
// Work with one owner is not an event: commands go through the CommandRouter, timer steps
// through the TimerSequencer.
#pragma once

#include <functional>
#include <vector>

#include "common/ini.h"
#include "viewer/mail/mail_open.h"

namespace kestrel {

class ViewerEvents {
  public:
    using SettingsListener = std::function<void(const IniFile& settings)>;
    using MailListener = std::function<void(const MailView& view)>;

    // At show, right after the settings file is read and before the first file is opened. A
    // feature reads its own keys here (XxxSettingsFrom(settings)): a command given before the
    // first timer tick then already works with the user's settings.
    void OnSettingsLoaded(SettingsListener listener) {
        settingsLoaded_.push_back(std::move(listener));
    }
    // The first timer tick, the deferred start-up stage: slow work and what the
    // window does only then (menus built from the settings, registry look-ups, key slots).
    void OnDeferredStage(SettingsListener listener) {
        deferredStage_.push_back(std::move(listener));
    }
    // A mail was put on screen by MailOpen: after its read mark and the mail client's
    // notification.
    void OnMailOpened(MailListener listener) { mailOpened_.push_back(std::move(listener)); }

    void SettingsLoaded(const IniFile& settings) const {
        for (const auto& l : settingsLoaded_) l(settings);
    }
    void DeferredStage(const IniFile& settings) const {
        for (const auto& l : deferredStage_) l(settings);
    }
    void MailOpened(const MailView& view) const {
        for (const auto& l : mailOpened_) l(view);
    }

  private:
    std::vector<SettingsListener> settingsLoaded_, deferredStage_;
    std::vector<MailListener> mailOpened_;
};

}  // namespace kestrel
