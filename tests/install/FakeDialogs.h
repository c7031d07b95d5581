#pragma once

// The procedures' dialogs played by a script: questions answered in a given order, the
// registration dialog's answer, a stop button pressed at a chosen wait step. Everything the
// procedures show or change is written down in order, so tests can check what the user saw.

#include "install/CProcedureDialogs.h"

#include <functional>
#include <string>
#include <vector>

namespace testsupport {

class FakeDialogs : public CProcedureDialogs, public CProcedureProgress {
public:
    // CProcedureDialogs
    CProcedureProgress* OpenProgress(const LString& message, uint32_t maximum, const LString& stopLabel) override
    {
        events.push_back("open");
        progressMessage = message.Text();
        progressMaximum = maximum;
        stopLabelShown = stopLabel.Text();
        return failOpen ? nullptr : this;
    }
    void CloseProgress() override { events.push_back("close"); }
    void HideWindow() override { events.push_back("hide window"); }
    bool Ask(const LString& text) override
    {
        events.push_back("ask");
        questions.push_back(text.Text());
        size_t index = questions.size() - 1;
        return index < answers.size() ? answers[index] : true;
    }
    void Notice(const LString& text) override
    {
        events.push_back("notice");
        notices.push_back(text.Text());
    }
    bool RegisterUser(const LString& text, const LString&, LString& name) override
    {
        events.push_back("register");
        registrationText = text.Text();
        name = LString(userName.c_str());
        return registrationAnswer;
    }

    // CProcedureProgress
    void SetPosition(uint32_t position) override { positions.push_back(position); }
    bool WaitStep(bool = false) override
    {
        int step = waitSteps++;
        if (atWaitStep)
            atWaitStep(step);
        return stopAtStep >= 0 && step >= stopAtStep;
    }
    void SetMessage(const LString& text) override
    {
        events.push_back("message");
        progressMessage = text.Text();
    }
    void HideBar() override { events.push_back("hide bar"); }
    void DisableStop() override { events.push_back("disable stop"); }

    // The script.
    std::vector<bool> answers;       // one per question; OK when the script runs out
    bool registrationAnswer = true;
    std::string userName = "Jane Doe";
    int stopAtStep = -1;             // the wait step at which Stop is pressed; never when negative
    bool failOpen = false;
    std::function<void(int step)> atWaitStep; // runs at every wait step, before Stop is looked at

    // What happened.
    std::vector<std::string> events;
    std::vector<std::string> questions;
    std::vector<std::string> notices;
    std::vector<uint32_t> positions;
    std::string progressMessage;
    uint32_t progressMaximum = 0;
    std::string stopLabelShown;
    std::string registrationText;
    int waitSteps = 0;
};

} // namespace testsupport
