#include "fakewordprocessor.h"
#include "gui/export/wordexportjob.h"

#include <future>
#include <gmock/gmock.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Records the thread of every step of its life.
class ThreadRecordingWordProcessor : public FakeWordProcessor {
public:
    ThreadRecordingWordProcessor(FakeWord& word, std::vector<std::thread::id>& threads)
        : FakeWordProcessor(word)
        , m_threads(threads) {
        m_threads.push_back(std::this_thread::get_id());
    }
    ~ThreadRecordingWordProcessor() override { m_threads.push_back(std::this_thread::get_id()); }

    void typeParagraph() override {
        m_threads.push_back(std::this_thread::get_id());
        FakeWordProcessor::typeParagraph();
    }

private:
    std::vector<std::thread::id>& m_threads;
};

void ignore() {}

TEST(WordExportJob, CreatesUsesAndReleasesTheWordProcessorOnOneWorkerThread) {
    FakeWord word;
    std::vector<std::thread::id> threads;
    WordExportJob job([&] { return std::make_unique<ThreadRecordingWordProcessor>(word, threads); },
                      {}, {}, ignore);
    job.wait();

    EXPECT_NO_THROW(job.rethrowFailure());
    ASSERT_EQ(threads.size(), 4u); // created, two paragraph marks, released
    EXPECT_NE(threads.front(), std::this_thread::get_id());
    EXPECT_THAT(threads, testing::Each(threads.front()));
}

TEST(WordExportJob, ReportsTheErrorTheExportEndedWithAndThatItFinished) {
    FakeWord word;
    word.running = true;
    word.documents = 1;
    word.failingPicture = QStringLiteral("/g/a.gif");
    GlyphSlots glyphFiles;
    glyphFiles[1] = QStringLiteral("/g/a.gif");
    std::promise<void> finished;
    WordExportJob job([&] { return std::make_unique<FakeWordProcessor>(word); }, glyphFiles, {},
                      [&] { finished.set_value(); });

    EXPECT_EQ(finished.get_future().wait_for(30s), std::future_status::ready);
    job.wait();
    EXPECT_TRUE(job.isFinished());
    try {
        job.rethrowFailure();
        FAIL() << "no error reported";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 5152);
        EXPECT_EQ(error.description(), QStringLiteral("This is not a valid file name."));
    }
}

// How far the export has come when Cancel is pressed.
enum class CancelAt { WhileTheWordProcessorHangs, BeforeTheWordProcessorExists };

void PrintTo(CancelAt moment, std::ostream* out) {
    *out << (moment == CancelAt::WhileTheWordProcessorHangs ? "WhileTheWordProcessorHangs"
                                                            : "BeforeTheWordProcessorExists");
}

class CancelledJob : public testing::TestWithParam<CancelAt> {};

TEST_P(CancelledJob, AbortsTheWordProcessorAndEndsWithUserInterrupt) {
    FakeWord word;
    std::promise<void> blocked;
    std::promise<void> mayCreate;
    WordExportJob job(
        [&] {
            mayCreate.get_future().wait();
            return std::make_unique<HangingWordProcessor>(word, [&] { blocked.set_value(); });
        },
        {}, {}, ignore);

    if (GetParam() == CancelAt::WhileTheWordProcessorHangs) {
        mayCreate.set_value();
        blocked.get_future().wait();
        job.cancel();
    } else {
        job.cancel();
        mayCreate.set_value();
    }
    job.wait();

    try {
        job.rethrowFailure();
        FAIL() << "no error reported";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 18);
        EXPECT_EQ(error.description(), QStringLiteral("User interrupt occurred"));
    }
    EXPECT_THAT(word.calls,
                testing::ElementsAre(QStringLiteral("findRunning"), QStringLiteral("start")));
}

INSTANTIATE_TEST_SUITE_P(Moments, CancelledJob,
                         testing::Values(CancelAt::WhileTheWordProcessorHangs,
                                         CancelAt::BeforeTheWordProcessorExists),
                         [](const testing::TestParamInfo<CancelAt>& param) {
                             return testing::PrintToString(param.param);
                         });

} // namespace
