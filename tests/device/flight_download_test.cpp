#include "device/flight_download.h"

#include <algorithm>
#include <gtest/gtest.h>

#include "device/device_test_support.h"

namespace tavo {
namespace {

using test::BenchDirectory;
using test::HostBytes;
using test::ScriptedPrompt;
using Lines = std::vector<std::string>;

std::vector<std::string> Numbered(int n) {
    std::vector<std::string> v;
    for (int i = 0; i < n; ++i)
        v.push_back(std::to_string(1000 + i));
    return v;
}

std::vector<std::string> Slice(const std::vector<std::string>& v, int from, int to) {
    return std::vector<std::string>(v.begin() + from, v.begin() + to + 1);
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(ReorderPreLaunch, WrappedRingStartsAfterTheMarker) {
    const auto original = Numbered(1000);
    auto list = original;
    list[100] = "4095";
    FlightDownload::ReorderPreLaunch(list, 512);
    EXPECT_EQ(list.size(), 998u);
    EXPECT_EQ(list, Concat({Slice(original, 101, 255), Slice(original, 0, 98),
                            Slice(original, 256, 999)}));
}

TEST(ReorderPreLaunch, ARingThatNeverWrappedStartsAfterTheZeroWord) {
    auto original = Numbered(1000);
    original[0] = "0";
    auto list = original;
    list[100] = "65535"; // flags set too: only the low 12 bits mark
    FlightDownload::ReorderPreLaunch(list, 512);
    EXPECT_EQ(list.size(), 843u);
    EXPECT_EQ(list, Concat({Slice(original, 1, 99), Slice(original, 256, 999)}));
}

TEST(ReorderPreLaunch, LeavesTheListWhenThereIsNoRingToReorder) {
    const auto original = Numbered(1000);
    auto list = original;
    list[300] = "4095"; // beyond the ring: not a marker
    auto expected = list;
    FlightDownload::ReorderPreLaunch(list, 512);
    EXPECT_EQ(list, expected);

    auto shortList = Numbered(200);
    shortList[10] = "4095";
    expected = shortList;
    FlightDownload::ReorderPreLaunch(shortList, 512);
    EXPECT_EQ(shortList, expected);

    for (int setting : {0, 1, -4}) {
        auto any = Numbered(10);
        any[0] = "4095";
        expected = any;
        FlightDownload::ReorderPreLaunch(any, setting);
        EXPECT_EQ(any, expected) << setting;
    }
}

TEST(ReorderPreLaunch, MarkerAtTheFirstTwoIndicesWrapsNoIndex) {
    const auto original = Numbered(20);
    auto atZero = original;
    atZero[0] = "4095";
    FlightDownload::ReorderPreLaunch(atZero, 16); // P = 8
    EXPECT_EQ(atZero, Concat({Slice(original, 1, 7), Slice(original, 8, 19)}));

    auto atOne = original;
    atOne[1] = "4095";
    FlightDownload::ReorderPreLaunch(atOne, 16);
    EXPECT_EQ(atOne, Concat({Slice(original, 2, 7), Slice(original, 8, 19)}));
}

// A recorder on virtual time with the download's link.
struct Download {
    explicit Download(Zr7Options options = {}, int samples = 7000)
        : device(ports.Add(std::move(options))), link(ports, sink), download(link) {
        flight = GenerateTestFlight(samples);
        auto lock = device->Lock();
        device->Recorder().SetFlight(flight, 200, 40);
    }
    int HostCount(char c) {
        const std::string bytes = HostBytes(*device);
        const auto t = bytes.find('T');
        return static_cast<int>(std::count(bytes.begin() + static_cast<long>(t), bytes.end(), c));
    }
    std::vector<std::string> Expected(std::size_t n) const {
        std::vector<std::string> v;
        for (std::size_t i = 0; i < n; ++i)
            v.push_back(std::to_string(flight[i]));
        return v;
    }

    BenchDirectory ports;
    std::shared_ptr<SimulatedDevice> device;
    ScriptedPrompt sink;
    SerialLink link;
    FlightDownload download;
    std::vector<std::uint16_t> flight;
};

TEST(Download, AMaximumOf6000Takes751BlocksAndGivesTheFlightInTimeOrder) {
    Download d;
    ASSERT_EQ(d.download.DownloadFlight(6000), DownloadOutcome::Downloaded);
    EXPECT_EQ(d.download.m_nSamplesReceived, 6008);
    EXPECT_TRUE(d.download.stoppedAtMaximum);
    EXPECT_EQ(d.HostCount('K'), 751);
    EXPECT_EQ(d.HostCount('E'), 0);
    const std::string bytes = HostBytes(*d.device);
    EXPECT_EQ(bytes.back(), 'A');
    // The ring's marker and the slot before it are gone.
    EXPECT_EQ(d.download.m_pReceived, d.Expected(6006));
    EXPECT_FALSE(d.link.m_bPortOpen);
    EXPECT_TRUE(d.sink.messages.empty());
    const RecordingDescription& desc = d.download.m_description;
    EXPECT_EQ(desc.m_nSampleRate, 200);
    EXPECT_EQ(desc.m_nPreLaunchSetting, 512);
    EXPECT_EQ(desc.m_fTwoGeeFile, 40.0f);
    EXPECT_EQ(desc.m_nAccelOffset, d.flight[0] & 0xFFF); // the pad reading
}

TEST(Download, MaximumZeroTakesOneBlockAndANegativeMaximumNone) {
    Download zero;
    zero.download.DownloadFlight(0);
    EXPECT_EQ(zero.download.m_nSamplesReceived, 8);
    EXPECT_EQ(zero.HostCount('K'), 1);

    Download negative;
    negative.download.DownloadFlight(-1);
    EXPECT_EQ(negative.download.m_nSamplesReceived, 0);
    EXPECT_EQ(negative.HostCount('K'), 0);
    // The offset rule still gives the pad reference.
    EXPECT_EQ(negative.download.m_pReceived, Lines{std::to_string(negative.flight[0])});
}

TEST(Download, ABadChecksumIsAnsweredEAndTheBlockIsResent) {
    Zr7Options options;
    options.badChecksums = {{3, 1}, {40, 2}};
    Download d(options);
    d.download.DownloadFlight(6000);
    EXPECT_EQ(d.HostCount('E'), 3);
    EXPECT_EQ(d.HostCount('K'), 751);
    auto lock = d.device->Lock();
    EXPECT_EQ(d.device->Recorder().BlocksResent(), 3);
    EXPECT_EQ(d.download.m_pReceived, d.Expected(6006));
}

TEST(Download, BlocksThatNeverCheckOutEndTheTransferAfterFiveSeconds) {
    Zr7Options options;
    options.badChecksums = {{10, -1}};
    options.byteMicros = kByteMicros19200; // resends take time on the line
    Download d(options);
    d.download.DownloadFlight(6000);
    EXPECT_EQ(d.download.m_nSamplesReceived, 80);
    EXPECT_GT(d.HostCount('E'), 100);
    EXPECT_EQ(d.download.EarlyEndText(),
              "Download incomplete: 80 of 6008 samples read.\n\nNo block checked out for more than "
              "5 seconds.");
}

TEST(Download, TwoSecondsOfSilenceEndTheTransferWithWhatArrived) {
    Zr7Options options;
    options.silentAfterBlocks = 100;
    Download d(options);
    std::int64_t lastBlockAt = 0;
    d.download.SetProgress([&](int) { lastBlockAt = d.ports.clock.NowMicros(); });
    d.download.DownloadFlight(6000);
    EXPECT_EQ(d.download.m_nSamplesReceived, 800);
    EXPECT_EQ(d.HostCount('K'), 100);
    EXPECT_EQ(HostBytes(*d.device).back(), 'A');
    // "More than two whole seconds" on a whole-second clock: between 2 and 3 s of
    // silence before "A", then the recorder's sensor reply is drained.
    std::int64_t aAt = 0;
    {
        auto lock = d.device->Lock();
        aAt = d.device->HostLog().back().at;
    }
    EXPECT_GT(aAt - lastBlockAt, 2000000);
    EXPECT_LE(aAt - lastBlockAt, 3101000);
    EXPECT_EQ(d.download.m_pReceived.size(), 798u);
    EXPECT_TRUE(d.download.EndedEarly());
    EXPECT_EQ(d.download.EarlyEndText(),
              "Download incomplete: 800 of 6008 samples read.\n\nThe recorder stopped sending: "
              "nothing came for more than 2 seconds.");
}

TEST(Download, ABlockThatLostAByteIsNeitherAcknowledgedNorKept) {
    Zr7Options options;
    options.lostByteBlock = 50;
    Download d(options);
    d.download.DownloadFlight(6000);
    EXPECT_EQ(d.download.m_nSamplesReceived, 400);
    EXPECT_EQ(d.HostCount('K'), 50);
    EXPECT_EQ(d.HostCount('E'), 0);
    EXPECT_EQ(d.download.m_pReceived, d.Expected(398));
    EXPECT_TRUE(d.download.EndedEarly());
}

TEST(Download, AbortEndsTheTransferAtTheNextBlock) {
    Download d;
    d.download.SetProgress([&](int samples) {
        if (samples == 1600)
            d.download.RequestStop();
    });
    d.download.DownloadFlight(6000);
    EXPECT_EQ(d.download.m_nSamplesReceived, 1600);
    EXPECT_EQ(d.HostCount('K'), 200);
    EXPECT_EQ(HostBytes(*d.device).back(), 'A');
    EXPECT_EQ(d.download.m_pReceived, d.Expected(1598));
    EXPECT_EQ(d.download.EarlyEndText(),
              "Download incomplete: 1600 of 6008 samples read.\n\nABORT was pressed.");
}

TEST(Download, APortThatFailsEndsTheTransferAtOnceWithoutWritingToIt) {
    Download d;
    d.download.SetProgress([&](int samples) {
        if (samples == 800)
            d.device->SetFault(PortFault::Gone);
    });
    const std::int64_t start = d.ports.clock.NowMicros();
    d.download.DownloadFlight(40000);
    EXPECT_EQ(d.download.m_nSamplesReceived, 800);
    EXPECT_LT(d.ports.clock.NowMicros() - start, 2000000); // no wait for silence
    EXPECT_EQ(HostBytes(*d.device).back(), 'K');           // no "A" into a dead port
    EXPECT_TRUE(d.sink.messages.empty());
    EXPECT_EQ(d.download.EarlyEndText(),
              "Download incomplete: 800 of 32768 samples read.\n\nThe port COM1: (sim1) failed: "
              "the device is gone.");
    EXPECT_FALSE(d.link.m_bPortOpen);
}

TEST(Download, ARecordingReadToItsEndOrToTheMaximumIsWhole) {
    struct Case {
        int samples;
        int max;
    } cases[] = {
        {7000, 40000},  // ends in erased memory within its last block
        {7006, 40000},  // fills its last block: an erased block follows it
        {7000, 6000},   // stopped at the user's maximum
        {40000, 40000}, // the whole memory
        {7000, -1},     // a negative maximum reads nothing, on purpose
    };
    for (const Case& c : cases) {
        Download d({}, c.samples);
        ASSERT_EQ(d.download.DownloadFlight(c.max), DownloadOutcome::Downloaded);
        EXPECT_FALSE(d.download.EndedEarly()) << c.samples << " " << c.max;
        EXPECT_EQ(d.download.EarlyEndText(), "");
        if (c.max == 40000) {
            EXPECT_EQ(d.download.m_pReceived, d.Expected(std::min(c.samples, 32766)));
        }
    }
}

TEST(Download, OffsetRule) {
    for (int offset : {300, 301, 699, 700}) {
        Download d;
        {
            auto lock = d.device->Lock();
            d.device->Recorder().SetWord(12, static_cast<std::uint16_t>(offset));
        }
        d.download.DownloadFlight(600);
        const bool replaced = offset > 300 && offset < 700;
        EXPECT_EQ(d.download.m_pReceived.front(),
                  replaced ? std::to_string(offset) : std::to_string(d.flight[0]))
            << offset;
        EXPECT_EQ(d.download.m_pReceived[1], std::to_string(d.flight[1]));
    }
}

TEST(Download, APeriodOfZeroGivesNoRateAndDividesNothing) {
    Download d;
    {
        auto lock = d.device->Lock();
        d.device->Recorder().SetWord(2, 0);
    }
    EXPECT_EQ(d.download.DownloadFlight(100), DownloadOutcome::Downloaded);
    EXPECT_TRUE(d.download.m_description.m_bHasSampleRate);
    EXPECT_EQ(d.download.m_description.m_nSampleRate, 0);
    EXPECT_EQ(d.download.m_nSamplesReceived, 104);
}

TEST(Download, AnUnacknowledgedDescriptionWordStopsBeforeTheTransfer) {
    Zr7Options options;
    options.refusedAddresses = {8};
    Download d(options);
    EXPECT_EQ(d.download.DownloadFlight(6000), DownloadOutcome::DescriptionFailed);
    EXPECT_EQ(d.sink.MessageTexts(), Lines{"FAILED getting TAVO data!"});
    const RecordingDescription& desc = d.download.m_description;
    EXPECT_TRUE(desc.m_bHasSampleRate && desc.m_bHasPreLaunch);
    EXPECT_FALSE(desc.m_bHasTwoGee || desc.m_bHasAccelOffset);
    EXPECT_EQ(HostBytes(*d.device).find('T'), std::string::npos);
    EXPECT_TRUE(d.link.m_bPortOpen); // closed by the next attempt or the dialog
    FlightRecord flight;
    flight.m_fTwoGeeFile = 15.0f;
    desc.ApplyTo(flight);
    EXPECT_EQ(flight.m_nSampleRate, 200);
    EXPECT_EQ(flight.m_nPreLaunchSetting, 512);
    EXPECT_EQ(flight.m_fTwoGeeFile, 15.0f);
}

TEST(Download, ASilentRecorderFailsTheHandshakeInAMessageBox) {
    Zr7Options options;
    options.buzzReply = "";
    Download d(options);
    EXPECT_EQ(d.download.DownloadFlight(6000), DownloadOutcome::ConnectFailed);
    ASSERT_EQ(d.sink.messages.size(), 1u);
    EXPECT_EQ(d.sink.messages[0].text.rfind("Connect failed!\n\nNo answer on COM1: (sim1).", 0),
              0u);
    EXPECT_FALSE(d.link.m_bPortOpen);
}

TEST(Download, ARingThatNeverWrappedComesBackInOrderToo) {
    Zr7Options options;
    options.ringMarker = 0;
    Download d(options);
    d.download.DownloadFlight(6000);
    EXPECT_EQ(d.download.m_pReceived, d.Expected(6008 - 256 + 254));
}

TEST(Download, ErasedWordsAfterTheRecordingAreLeftOutAndSaidSo) {
    // 7001 samples and the ring's marker and stale slot fill 7003 words: the last block
    // of eight ends in five erased words.
    Download d({}, 7001);
    ASSERT_EQ(d.download.DownloadFlight(40000), DownloadOutcome::Downloaded);
    EXPECT_FALSE(d.download.stoppedAtMaximum);
    EXPECT_EQ(d.download.erasedLeftOut, 5);
    EXPECT_EQ(d.download.m_pReceived, d.Expected(7001));
    EXPECT_EQ(DownloadNote(d.download),
              "The whole recording was read; the recorder's memory after it was empty.");

    struct Case {
        std::vector<std::string> words;
        int dropped;
        std::size_t kept;
    } cases[] = {{{"1", "65535", "2", "65535", "65535"}, 2, 3}, // one inside stays
                 {{"65535", "65535"}, 2, 0},
                 {{"4095", "61439"}, 0, 2}, // a full reading with fewer flags is data
                 {{}, 0, 0}};
    for (Case& c : cases) {
        EXPECT_EQ(FlightDownload::DropTrailingErasedWords(c.words), c.dropped);
        EXPECT_EQ(c.words.size(), c.kept);
    }
}

TEST(Download, AFullMemoryEndsInSilenceAfterTheLastBlock) {
    Download d({}, 40000);
    d.download.DownloadFlight(40000);
    EXPECT_EQ(d.download.m_nSamplesReceived, kZr7MemorySamples);
    EXPECT_EQ(d.HostCount('K'), 4096);
    EXPECT_EQ(d.download.m_pReceived, d.Expected(kZr7MemorySamples - 2));
}

} // namespace
} // namespace tavo
