// The notice and question dialog, answered through window messages from a driver thread
// while the test's thread sits in the dialog's modal loop.
#include "ui/CSimpleMessageDialog.h"

#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"
#include "ui/CAppIcon.h"

#include <atomic>
#include <functional>
#include <string>

namespace {

const char* const kDialogClass = "LDIALOGDEFDATA";

class CSimpleMessageDialogTest : public UiFixture {
protected:
    // Runs a dialog with `message`, doing `answer` to its window from the driver thread.
    int32_t RunAnswered(const char* message, bool withCancel, const std::function<void(HWND)>& answer,
                        int32_t timeoutSeconds = 0)
    {
        CSimpleMessageDialog dialog(&app, nullptr);
        dialog.SetIcon(CAppIcon::Get());
        bool found = false;
        bool ended = false;
        std::atomic<bool> returned{false};
        int32_t result = -1;
        {
            uidriver::DriverThread driver([&] {
                HWND window = uidriver::WaitForVisibleWindow(kDialogClass, nullptr);
                found = window != nullptr;
                if (found)
                    ended = uidriver::AnsweredUntilEnded(window, returned, answer);
            });
            result = dialog.Run(message, timeoutSeconds, withCancel);
            returned = true;
        }
        EXPECT_TRUE(found);
        EXPECT_TRUE(ended) << "the dialog did not end by the driver's answer";
        return result;
    }

    static void ClickButton(HWND window, const char* label)
    {
        HWND button = uidriver::FindChild(window, "Button", label);
        ASSERT_NE(button, nullptr) << label;
        uidriver::Click(button);
    }
};

} // namespace

TEST_F(CSimpleMessageDialogTest, QuestionGoesOnWithOkAndEnterAndStopsWithCancelEscapeAndCloseBox)
{
    EXPECT_EQ(RunAnswered("Go on?", true, [](HWND w) { ClickButton(w, "OK"); }), 1);
    EXPECT_EQ(RunAnswered("Go on?", true, [](HWND w) { uidriver::PressKey(w, VK_RETURN); }), 1);
    EXPECT_EQ(RunAnswered("Go on?", true, [](HWND w) { ClickButton(w, "Cancel"); }), 0);
    EXPECT_EQ(RunAnswered("Go on?", true, [](HWND w) { uidriver::PressKey(w, VK_ESCAPE); }), 0);
    EXPECT_EQ(RunAnswered("Go on?", true, [](HWND w) { uidriver::CloseBox(w); }), 0);
}

TEST_F(CSimpleMessageDialogTest, EveryWayOutOfANoticeCountsAsOk)
{
    EXPECT_EQ(RunAnswered("Done.", false, [](HWND w) { ClickButton(w, "OK"); }), 1);
    EXPECT_EQ(RunAnswered("Done.", false, [](HWND w) { uidriver::PressKey(w, VK_RETURN); }), 1);
    EXPECT_EQ(RunAnswered("Done.", false, [](HWND w) { uidriver::PressKey(w, VK_ESCAPE); }), 1);
    EXPECT_EQ(RunAnswered("Done.", false, [](HWND w) { uidriver::CloseBox(w); }), 1);
}

TEST_F(CSimpleMessageDialogTest, ANoticeHidesCancelAndAQuestionShowsIt)
{
    bool cancelVisible = true;
    RunAnswered("A notice.", false, [&](HWND w) {
        HWND cancel = uidriver::FindChild(w, "Button", "Cancel");
        cancelVisible = cancel && IsWindowVisible(cancel);
        ClickButton(w, "OK");
    });
    EXPECT_FALSE(cancelVisible);

    RunAnswered("A question?", true, [&](HWND w) {
        HWND cancel = uidriver::FindChild(w, "Button", "Cancel");
        cancelVisible = cancel && IsWindowVisible(cancel);
        ClickButton(w, "Cancel");
    });
    EXPECT_TRUE(cancelVisible);
}

TEST_F(CSimpleMessageDialogTest, AnEmptyMessageStillShowsTheButtons)
{
    bool okVisible = false;
    EXPECT_EQ(RunAnswered("", true, [&](HWND w) {
        HWND ok = uidriver::FindChild(w, "Button", "OK");
        okVisible = ok && IsWindowVisible(ok);
        ClickButton(w, "OK");
    }), 1);
    EXPECT_TRUE(okVisible);
}

TEST_F(CSimpleMessageDialogTest, ATimeLimitAnswersOkOnceItHasRunOutAndAMessageArrives)
{
    DWORD start = GetTickCount();
    // The limit is looked at after a handled message; the driver keeps sending them until the
    // dialog has gone.
    int32_t answer = RunAnswered("Waits a second.", true, [](HWND w) {
        uidriver::WaitUntil([w] { return !PostMessageA(w, WM_NULL, 0, 0) || !IsWindowVisible(w); }, 5000);
    }, 1);
    EXPECT_EQ(answer, 1);
    EXPECT_GE(GetTickCount() - start, 1000u);
}

TEST_F(CSimpleMessageDialogTest, ShowsItsTextsInTheUsersLanguage)
{
    EXPECT_EQ(RunAnswered("The folder already exists. Install into it anyway? Files of the same name are replaced.",
                          true, [](HWND w) {
                              ExpectTextsOf(w, "CSIMPLEMESSAGEDIALOG", {1, 2}, "message-question");
                              uidriver::PressKey(w, VK_RETURN);
                          }), 1);
    EXPECT_EQ(RunAnswered("Installation complete.", false, [](HWND w) {
        ExpectTextsOf(w, "CSIMPLEMESSAGEDIALOG", {1}, "message-notice");
        uidriver::PressKey(w, VK_ESCAPE);
    }), 1);
}
