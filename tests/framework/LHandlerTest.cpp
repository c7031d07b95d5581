#include "framework/LHandler.h"
#include "framework/LMessageNames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every message it receives, then either passes it on, consumes it or translates it.
struct Recorder : LHandler {
    enum Mode { Pass, Consume, Translate };
    Recorder(const char* label, LHandler* next, std::vector<std::string>* log)
        : LHandler(next), label(label), log(log) {}
    LMessage Handle(const LMessage& m) override
    {
        log->push_back(label + ":" + (m.name ? m.name : "(null)"));
        if (mode == Consume && m.Is(watched))
            return Consumed();
        if (mode == Translate && m.Is(watched))
            return LMessage(translatedName, translatedParam ? translatedParam : m.param, translatedTarget);
        return LHandler::Handle(m);
    }
    std::string label;
    std::vector<std::string>* log;
    Mode mode = Pass;
    const char* watched = "";
    const char* translatedName = nullptr;
    LHandler* translatedParam = nullptr;
    LHandler* translatedTarget = nullptr;
};

using Log = std::vector<std::string>;

} // namespace

TEST(LSameName, ComparesTextsNotAddresses)
{
    char copy[] = "LMouse_Click";
    EXPECT_TRUE(LSameName(LMouse_Click, copy));
    EXPECT_NE(static_cast<const void*>(LMouse_Click), static_cast<const void*>(copy));
    EXPECT_TRUE(LSameName(nullptr, nullptr));
    EXPECT_TRUE(LSameName(nullptr, ""));
    EXPECT_TRUE(LSameName("", nullptr));
    EXPECT_FALSE(LSameName(nullptr, "x"));
    EXPECT_FALSE(LSameName("LMouse_Click", "LMouse_Clic"));
}

TEST(MessageNames, EachVariableSpellsItsOwnName)
{
    EXPECT_STREQ(LHandler_Destructing, "LHandler_Destructing");
    EXPECT_STREQ(LWindow_Deativate, "LWindow_Deativate");
    EXPECT_STREQ(LStdCmd_Quit, "LStdCmd_Quit");
    EXPECT_STREQ(LWindowPlacer_Sizing, "LWindowPlacer_Sizing");
}

TEST(Send, MessageWithoutParamOrTargetReachesNobody)
{
    Log log;
    Recorder a("a", nullptr, &log);
    Send(LMessage(LMouse_Click, nullptr, &a));
    Send(LMessage(LMouse_Click, &a, nullptr));
    EXPECT_TRUE(log.empty());
}

TEST(Send, UnconsumedMessageWalksToRootThenBackToItsParamAndStops)
{
    Log log;
    Recorder root("root", nullptr, &log);
    Recorder middle("middle", &root, &log);
    Recorder origin("origin", &middle, &log);
    Send(LMessage(LTimer_Expire, &origin, &middle));
    EXPECT_EQ(log, (Log{"middle:LTimer_Expire", "root:LTimer_Expire", "origin:LTimer_Expire"}));
}

TEST(Send, PassingOnByAHandlerOtherThanTheParamContinues)
{
    Log log;
    Recorder root("root", nullptr, &log);
    Recorder second("second", &root, &log);
    Recorder first("first", &second, &log);
    Recorder about("about", nullptr, &log);
    // The param passes on from the root's return to itself, so delivery ends there; before
    // that every handler saw it once.
    Send(LMessage(LMouse_Move, &about, &first));
    EXPECT_EQ(log, (Log{"first:LMouse_Move", "second:LMouse_Move", "root:LMouse_Move", "about:LMouse_Move"}));
}

TEST(Send, ConsumedMessageEndsAtTheConsumer)
{
    Log log;
    Recorder root("root", nullptr, &log);
    Recorder consumer("consumer", &root, &log);
    consumer.mode = Recorder::Consume;
    consumer.watched = "LPane_ReqFocus";
    Recorder origin("origin", &consumer, &log);
    Send(LMessage(LPane_ReqFocus, &origin, &consumer));
    EXPECT_EQ(log, (Log{"consumer:LPane_ReqFocus"}));
}

TEST(Send, TranslatedMessageStartsANewJourneyUnderTheNewName)
{
    Log log;
    Recorder root("root", nullptr, &log);
    Recorder other("other", &root, &log);
    Recorder translator("translator", &root, &log);
    translator.mode = Recorder::Translate;
    translator.watched = "LWindow_Close";
    translator.translatedName = LFrame_Close;
    translator.translatedParam = &translator;
    translator.translatedTarget = &other;
    Recorder window("window", &translator, &log);
    Send(LMessage(LWindow_Close, &window, &translator));
    // The new message has the translator as param: root sends it back there, where it stops.
    EXPECT_EQ(log, (Log{"translator:LWindow_Close", "other:LFrame_Close", "root:LFrame_Close",
                        "translator:LFrame_Close"}));
}

TEST(Send, SameNameFromAnotherTextStillStopsAtTheOrigin)
{
    Log log;
    static char copy[] = "LTimer_Expire";
    struct Copier : Recorder {
        using Recorder::Recorder;
        LMessage Handle(const LMessage& m) override
        {
            Recorder::Handle(m);
            return LMessage(copy, m.param, m.param); // same text, another address
        }
    };
    Recorder origin("origin", nullptr, &log);
    Copier copier("copier", nullptr, &log);
    Send(LMessage(LTimer_Expire, &origin, &copier));
    EXPECT_EQ(log, (Log{"copier:LTimer_Expire", "origin:LTimer_Expire"}));
}

TEST(LHandlerDestruction, SendsOneNoticeUpTheChainAndTheDyingHandlerSeesItLast)
{
    Log log;
    Recorder root("root", nullptr, &log);
    Recorder owner("owner", &root, &log);
    struct Watcher : LHandler {
        Watcher(LHandler* next, Log* log) : LHandler(next), log(log) {}
        LMessage Handle(const LMessage& m) override
        {
            if (m.Is(LHandler_Destructing)) {
                ++notices;
                seenParam = m.param;
            }
            return LHandler::Handle(m);
        }
        Log* log;
        int notices = 0;
        LHandler* seenParam = nullptr;
    };
    Watcher watcher(&owner, &log);
    LHandler* dying = new LHandler(&watcher);
    delete dying;
    EXPECT_EQ(watcher.notices, 1);
    EXPECT_EQ(watcher.seenParam, dying);
    EXPECT_EQ(log, (Log{"owner:LHandler_Destructing", "root:LHandler_Destructing"}));
}

TEST(LHandlerDestruction, HandlerWithoutNextNotifiesNobody)
{
    Log log;
    {
        Recorder lonely("lonely", nullptr, &log);
    }
    EXPECT_TRUE(log.empty());
}
