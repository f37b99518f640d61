// A scriptable fake of the options editor's platform: answers of the common dialogs are queued
// (an empty queue answers Cancel); messages and help calls are recorded in order.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "options/options_platform.h"

namespace kestrel::test {

class FakeOptionsPlatform : public OptionsPlatform {
  public:
    void ShowMessage(std::string_view text) override {
        log.push_back("message: " + std::string(text));
    }
    std::optional<std::string> OpenFile(std::string_view filter) override {
        filters.emplace_back(filter);
        return Next(files);
    }
    std::optional<Colour> ChooseColour(Colour initial) override {
        colourStarts.push_back(initial);
        return Next(colours);
    }
    std::optional<FontChoice> PickFont(const FontChoice& initial) override {
        fontStarts.push_back(initial);
        return Next(fonts);
    }
    void ShowHelp(std::string_view file, std::string_view topic) override {
        log.push_back("help: " + std::string(file) + " " + std::string(topic));
    }
    void ShowKeyAssign() override {
        log.push_back("key assign");
        if (onKeyAssign) onKeyAssign();
    }

    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<Colour>> colours;
    std::deque<std::optional<FontChoice>> fonts;
    std::function<void()> onKeyAssign;

    std::vector<std::string> log;
    std::vector<std::string> filters;
    std::vector<Colour> colourStarts;
    std::vector<FontChoice> fontStarts;

  private:
    template <typename T>
    static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
        if (queue.empty()) return std::nullopt;
        std::optional<T> v = queue.front();
        queue.pop_front();
        return v;
    }
};

}  // namespace kestrel::test
