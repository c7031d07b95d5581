// Messages along chains of handlers: to the root, back to the param, consumed, translated, and
// the notice of a handler's end.
#include "framework/LHandler.h"
#include "framework/LMessageNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Records every message it receives, then passes it on, or consumes or translates the one
// it watches.
struct Recorder : LHandler {
    Recorder(const char* label, LHandler* next, Log* log) : LHandler(next), label(label), log(log) {}
    LMessage Handle(const LMessage& m) override
    {
        log->push_back(label + ":" + (m.name ? m.name : "(null)"));
        if (m.Is(watched) && !translated)
            return Consumed();
        if (m.Is(watched))
            return LMessage(translated, this, target);
        return LHandler::Handle(m);
    }
    std::string label;
    Log* log;
    const char* watched = "";
    const char* translated = nullptr;
    LHandler* target = nullptr;
};

} // namespace

TEST(Send, AnUnconsumedMessageWalksToTheRootThenBackToItsParamAndAConsumedOneEndsAtTheConsumer)
{
    Log log;
    Recorder root("root", nullptr, &log);
    Recorder middle("middle", &root, &log);
    Recorder origin("origin", &middle, &log);
    Recorder about("about", nullptr, &log);
    Send(LMessage(LMouse_Click, nullptr, &middle)); // without a param or a target it reaches nobody
    Send(LMessage(LMouse_Click, &origin, nullptr));
    Send(LMessage(LTimer_Expire, &origin, &middle));
    Send(LMessage(LMouse_Move, &about, &middle));
    EXPECT_EQ(log, (Log{"middle:LTimer_Expire", "root:LTimer_Expire", "origin:LTimer_Expire", "middle:LMouse_Move",
                        "root:LMouse_Move", "about:LMouse_Move"}));
    log.clear();
    middle.watched = LPane_ReqFocus;
    Send(LMessage(LPane_ReqFocus, &origin, &middle));
    EXPECT_EQ(log, (Log{"middle:LPane_ReqFocus"}));
}

TEST(Send, ATranslatedMessageStartsANewJourneyUnderTheNewName)
{
    Log log;
    Recorder root("root", nullptr, &log);
    Recorder other("other", &root, &log);
    Recorder translator("translator", &root, &log);
    translator.watched = LWindow_Close;
    translator.translated = LFrame_Close;
    translator.target = &other;
    Recorder window("window", &translator, &log);
    Send(LMessage(LWindow_Close, &window, &translator));
    // The new message has the translator as param: the root sends it back there, where it stops.
    EXPECT_EQ(log, (Log{"translator:LWindow_Close", "other:LFrame_Close", "root:LFrame_Close",
                        "translator:LFrame_Close"}));
}

TEST(Send, TheSameNameFromAnotherTextStillStopsAtTheOrigin)
{
    Log log;
    static char copy[] = "LTimer_Expire";
    struct Copier : Recorder {
        using Recorder::Recorder;
        LMessage Handle(const LMessage& m) override
        {
            Recorder::Handle(m);
            return LMessage(copy, m.param, m.param); // the same text at another address
        }
    };
    Recorder origin("origin", nullptr, &log);
    Copier copier("copier", nullptr, &log);
    Send(LMessage(LTimer_Expire, &origin, &copier));
    EXPECT_EQ(log, (Log{"copier:LTimer_Expire", "origin:LTimer_Expire"}));
}

TEST(LHandlerDestruction, SendsOneNoticeUpTheChainNamingTheDyingHandler)
{
    Log log;
    Recorder root("root", nullptr, &log);
    struct Watcher : LHandler {
        using LHandler::LHandler;
        LMessage Handle(const LMessage& m) override
        {
            if (m.Is(LHandler_Destructing))
                params.push_back(m.param);
            return LHandler::Handle(m);
        }
        std::vector<LHandler*> params;
    } watcher(&root);
    LHandler* dying = new LHandler(&watcher);
    delete dying;
    EXPECT_EQ(watcher.params, (std::vector<LHandler*>{dying}));
    EXPECT_EQ(log, (Log{"root:LHandler_Destructing"}));
    {
        Recorder lonely("lonely", nullptr, &log); // without a next handler nobody is told
    }
    EXPECT_EQ(log.size(), 1u);
}
