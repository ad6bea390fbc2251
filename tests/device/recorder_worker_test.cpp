// A recorder worker and its window's mailbox without a window toolkit: the test's thread
// plays the window and delivers by itself.

#include "device/recorder_worker.h"

#include <gtest/gtest.h>

#include "device/device_test_support.h"
#include "device/thread_prompt.h"

namespace tavo {
namespace {

struct Window {
    test::BenchDirectory ports;
    test::ScriptedPrompt user;
    UserPrompt* target = &user;
    WindowMailbox mailbox;
    ThreadPrompt prompt{mailbox, target};
    RecorderWorker worker{ports, &mailbox};
};

TEST(RecorderWorker, JobsRunInOrderOnItsThreadAndEachEndReachesTheWindowAfterItsOwnWords) {
    Window w;
    std::vector<std::string> order;
    bool onWorker[2] = {false, false};
    for (int i = 0; i < 2; ++i) {
        w.worker.Run(
            [&w, &onWorker, i] {
                onWorker[i] = w.worker.OnWorkerThread();
                w.prompt.AppendStatus("job " + std::to_string(i));
                // Waits for the window, which answers while it waits for the jobs.
                w.prompt.ShowMessage("shown " + std::to_string(i), "TAVOkit", Severity::Plain);
            },
            [&order, i] { order.push_back("done " + std::to_string(i)); });
    }
    EXPECT_TRUE(w.worker.IsRunning());
    EXPECT_FALSE(w.worker.OnWorkerThread());
    w.worker.WaitIdle();
    EXPECT_FALSE(w.worker.IsRunning());
    EXPECT_TRUE(onWorker[0] && onWorker[1]);
    EXPECT_EQ(w.user.events, (std::vector<std::string>{"status: job 0", "message: shown 0",
                                                       "status: job 1", "message: shown 1"}));
    EXPECT_EQ(order, (std::vector<std::string>{"done 0", "done 1"}));
}

TEST(RecorderWorker, TheWindowAnswersQuestionsAndAClosingWindowCancelsThem) {
    Window w;
    w.user.answers = {Answer::No};
    Answer asked[3] = {};
    const auto ask = [&w](Answer& answer) {
        return [&w, &answer] {
            answer = w.prompt.Ask("Keep?", "TAVOkit", Severity::Question, Buttons::YesNo);
        };
    };
    w.worker.RunAndWait(ask(asked[0]));
    EXPECT_EQ(asked[0], Answer::No);
    // Asked from the window's own thread, the question goes straight to the user.
    EXPECT_EQ(w.prompt.Ask("Here?", "TAVOkit", Severity::Question, Buttons::YesNo), Answer::Yes);

    // Closing the mailbox releases a job that waits for an answer: nobody is asked.
    w.worker.Run(ask(asked[1]));
    w.mailbox.Close();
    w.worker.WaitIdle();
    EXPECT_EQ(asked[1], Answer::Cancel);
    // A closed prompt asks nobody and shows nothing, and posting fails.
    w.prompt.Close();
    w.worker.RunAndWait(ask(asked[2]));
    EXPECT_EQ(asked[2], Answer::Cancel);
    EXPECT_FALSE(w.mailbox.Post([] {}));
    EXPECT_EQ(w.user.QuestionTexts(), (std::vector<std::string>{"Keep?", "Here?"}));
}

TEST(RecorderWorker, AThreadThatMustNotWaitPostsItsMessagesAndGoesOn) {
    test::BenchDirectory ports;
    test::ScriptedPrompt user;
    UserPrompt* target = &user;
    WindowMailbox mailbox;
    ThreadPrompt posted(mailbox, target, ThreadPrompt::Messages::Post);
    Answer asked = Answer::Ok;
    {
        // No mailbox of its own: the job ends without the window delivering anything.
        RecorderWorker worker(ports, nullptr);
        worker.RunAndWait([&] {
            posted.ShowMessage("COMM open error", "Error", Severity::Error);
            asked = posted.Ask("Anyone?", "TAVOkit", Severity::Question, Buttons::OkCancel);
        });
    }
    EXPECT_EQ(asked, Answer::Cancel);
    EXPECT_TRUE(user.messages.empty());
    mailbox.Deliver();
    EXPECT_EQ(user.MessageTexts(), std::vector<std::string>{"COMM open error"});
    EXPECT_TRUE(user.questions.empty());
}

} // namespace
} // namespace tavo
