#pragma once

#include "platform/dialogs.h"

#include <deque>
#include <functional>
#include <vector>

namespace tw::test {

// Dialogs whose answers tests queue and whose texts, titles, buttons and icons tests read.
class FakeDialogs : public Dialogs {
  public:
    struct Box {
        std::string text;
        std::string title;
        Buttons buttons;
        Icon icon;
    };
    struct Input {
        std::string prompt;
        std::string title;
        std::string initial;
    };
    struct FileRequest {
        std::string title;
        std::string filter;
    };

    Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                      Icon icon) override {
        boxes.push_back({text, title, buttons, icon});
        if (onBox)
            onBox(boxes.back());
        if (!answers.empty()) {
            const Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& initial) override {
        inputs.push_back({prompt, title, initial});
        return next(inputAnswers);
    }
    std::string openFile(const std::string& title, const std::string& filter) override {
        fileRequests.push_back({title, filter});
        return next(fileAnswers);
    }

    std::deque<Answer> answers;           // message boxes; default No / Ok
    std::deque<std::string> inputAnswers; // default "" (Cancel)
    std::deque<std::string> fileAnswers;  // default "" (Cancel)
    std::vector<Box> boxes;
    std::vector<Input> inputs;
    std::vector<FileRequest> fileRequests;
    std::function<void(const Box&)> onBox;

  private:
    static std::string next(std::deque<std::string>& queue) {
        if (queue.empty())
            return {};
        std::string s = queue.front();
        queue.pop_front();
        return s;
    }
};

} // namespace tw::test
