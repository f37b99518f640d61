#include "viewer/shell/viewer_settings.h"

#include "common/settings.h"

namespace kestrel {

StartSettings ReadStartSettingsFrom(const IniFile& ini) {
    StartSettings s;
    auto vi = [&](std::string_view key) { return ViewerInt(ini, "View", key); };
    auto vb = [&](std::string_view key) { return ViewerBool(ini, "View", key); };
    auto vc = [&](std::string_view key) { return ViewerColour(ini, "View", key); };
    s.wordWrap = vb("WordWrap");
    s.replyConfirm = vb("ReplyConfirm");
    s.ruler = vi("Ruler");
    s.imeControl = vi("IMEcontrol");
    s.englishMenu = vb("EnglishMenu");
    s.hideButton = vb("HideButton");
    s.editorFont = {ViewerString(ini, "View", "EditorFontName"), vi("EditorFontSize")};
    s.viewerFont = {ViewerString(ini, "View", "ViewerFontName"), vi("ViewerFontSize")};
    s.nextMailMode = vi("NextMailMode");
    s.quoteFontColor = vc("QuoteFontColor");
    s.urlFontColor = vc("UrlFontColor");
    s.viewerColor = vc("ViewerColor");
    s.editorColor = vc("EditorColor");
    s.viewerFontColor = vc("ViewerFontColor");
    s.editorFontColor = vc("EditorFontColor");
    s.timer = vi("Timer");
    s.text2Speech = vb("Text2Speech");
    s.debugMode = vb("DebugMode");
    s.debugPloverDde = vb("DebugPloverDde");

    s.pin = ViewerInt(ini, "Scramble", "PIN");

    s.left = ViewerInt(ini, "Window", "Left");
    s.top = ViewerInt(ini, "Window", "Top");
    s.width = ViewerInt(ini, "Window", "Width");
    s.height = ViewerInt(ini, "Window", "Height");
    s.editWidth = ViewerInt(ini, "Window", "EditWidth");

    s.pgbrowExe = ViewerString(ini, "Location", "PgbrowExe");
    s.finchpostExe = ViewerString(ini, "Location", "FinchpostExe");
    return s;
}

DeferredSettings ReadDeferredSettingsFrom(const IniFile& ini) {
    DeferredSettings d;
    d.trashCan = ViewerString(ini, "Location", "TrashCan");
    d.saveAsDir = ViewerString(ini, "Location", "SaveAsDir");
    d.aw = ViewerBool(ini, "AW", "AW");
    d.autoMove = d.aw && ViewerBool(ini, "AW", "AutoMove");
    d.spellChecker = ViewerBool(ini, "SpellCheck", "SpellChecker");
    for (int i = 0; i < 5; ++i) {
        std::string n = std::to_string(i + 1);
        d.replyStatus[i] = ViewerString(ini, "ReplyStatus", "Status" + n);
    }
    return d;
}

}  // namespace kestrel
