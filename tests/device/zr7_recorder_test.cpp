#include "device/zr7_recorder.h"

#include <gtest/gtest.h>

#include "device/device_test_support.h"
#include "device/flight_download.h"
#include "device/recorder_settings.h"
#include "device/served_flight.h"
#include "stats/flight_stats.h"
#include "support/flight_builder.h"

namespace tavo {
namespace {

std::vector<std::uint8_t> Drain(Zr7Recorder& r, std::int64_t now, std::int64_t until,
                                std::vector<std::int64_t>* times = nullptr) {
    std::vector<std::uint8_t> out;
    std::int64_t at = 0;
    while (r.NextOutputTime(now, at) && at <= until) {
        if (times)
            times->push_back(at);
        out.push_back(r.TakeOutput());
    }
    return out;
}

TEST(Zr7Recorder, LeavesTheFactoryWithTheDefaultSettings) {
    Zr7Recorder r;
    EXPECT_EQ(r.Word(2), 5);
    EXPECT_EQ(r.Word(4), 4);
    EXPECT_EQ(r.Word(6), 1);
    EXPECT_EQ(r.Word(8), 15);
    EXPECT_EQ(r.Word(10), 512);
    EXPECT_EQ(r.Word(16), 200);
    EXPECT_EQ(r.Word(18), 1);
    EXPECT_EQ(r.Word(20), 32);
}

TEST(Zr7Recorder, TheServedFlightSetsRateTwoGeeAndThePadReading) {
    Zr7Recorder r;
    r.SetFlight({0x1234, 600}, 100, 38);
    EXPECT_EQ(r.Word(2), 10);
    EXPECT_EQ(r.Word(8), 38);
    EXPECT_EQ(r.Word(12), 0x234); // the reading without the event flags
}

TEST(Zr7Recorder, WrappedRingLayout) {
    Zr7Options options;
    options.ringMarker = 3;
    Zr7Recorder r(options);
    r.SetWord(10, 16); // P = 8: six pre-launch samples
    r.SetFlight({11, 12, 13, 14, 15, 16, 17, 18, 19}, 100, 40);
    // Oldest after the marker (index 3), newest before the overwritten slot (index 2).
    EXPECT_EQ(r.MemoryImage(),
              (std::vector<std::uint16_t>{15, 16, 16, 0x0FFF, 11, 12, 13, 14, 17, 18, 19, 0xFFFF,
                                          0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}));
}

TEST(Zr7Recorder, ShortFlightLeavesTheRingUnwrapped) {
    Zr7Recorder r;
    r.SetWord(10, 16);
    r.SetFlight({21, 22, 23}, 100, 40);
    // The ring fills a block, so a block of erased memory marks the recording's end.
    EXPECT_EQ(r.MemoryImage(),
              (std::vector<std::uint16_t>{0, 21, 22, 23, 0x0FFF, 0, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF,
                                          0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}));
}

TEST(Zr7Recorder, BlocksCarryTheirChecksumAndFollowTheHostsAnswers) {
    Zr7Options options;
    options.badChecksums = {{0, 1}};
    Zr7Recorder r(options);
    r.SetWord(10, 0); // no ring
    std::vector<std::uint16_t> words;
    for (int i = 0; i < 16; ++i)
        words.push_back(static_cast<std::uint16_t>(0x0100 + i));
    r.SetFlight(words, 100, 40);
    r.Receive('T', 0);
    auto block = Drain(r, 0, 0);
    ASSERT_EQ(block.size(), 17u);
    unsigned sum = 0;
    for (int i = 0; i < 16; ++i)
        sum += block[static_cast<std::size_t>(i)];
    EXPECT_EQ(block[0], 0x00);
    EXPECT_EQ(block[1], 0x01);
    EXPECT_NE(block[16], sum & 0xFF);
    r.Receive('E', 0);
    block = Drain(r, 0, 0);
    EXPECT_EQ(block[16], sum & 0xFF);
    r.Receive('K', 0);
    block = Drain(r, 0, 0);
    EXPECT_EQ(block[0], 0x08);
    r.Receive('K', 0);
    EXPECT_EQ(Drain(r, 0, 0)[0], 0xFF); // a block of erased memory after the recording
    r.Receive('K', 0);
    EXPECT_TRUE(Drain(r, 0, 0).empty()); // then silence
    r.Receive('A', 0);
    EXPECT_EQ(Drain(r, 0, 0), (std::vector<std::uint8_t>{0x00, 0x01, 'K'}));
}

TEST(Zr7Recorder, PacedBytesLeaveOneLineTimeApart) {
    Zr7Options options;
    options.byteMicros = kByteMicros19200;
    Zr7Recorder r(options);
    r.Receive('M', 1000);
    std::vector<std::int64_t> times;
    EXPECT_EQ(Drain(r, 1000, 1000000, &times), (std::vector<std::uint8_t>{'Z', 'R', '7', 'K'}));
    EXPECT_EQ(times, (std::vector<std::int64_t>{1521, 2042, 2563, 3084}));
}

TEST(Zr7Recorder, TelemetryStreamsTwoByteLinesAtTheSampleRate) {
    Zr7Options options;
    options.telemetry = true;
    Zr7Recorder r(options);
    r.SetFlight({0x0241, 0x0A0D}, 100, 40);
    EXPECT_EQ(Drain(r, 0, 5000), std::vector<std::uint8_t>{}) << "no host has purged yet";
    r.DropOutput();
    std::vector<std::int64_t> times;
    const auto bytes = Drain(r, 5000, 5000 + 25000, &times);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x41, 0x02, 13, 0x0D, 0x0A, 13, 0x41, 0x02, 13}));
    EXPECT_EQ(times[3], 15000);
    EXPECT_EQ(times[6], 25000);
    r.Receive('B', 30000); // a streaming receiver ignores commands
    EXPECT_EQ(Drain(r, 30000, 30000), std::vector<std::uint8_t>{});
}

TEST(Zr7Recorder, ConsoleCommands) {
    Zr7Recorder r;
    r.SetFlight(std::vector<std::uint16_t>(300, 500), 100, 40);
    r.Receive('F', 0);
    EXPECT_EQ(Drain(r, 0, 0), std::vector<std::uint8_t>{'K'});
    r.Receive('P', 0);
    EXPECT_EQ(Drain(r, 0, 0), (std::vector<std::uint8_t>{44, 1, 'K'}));
    r.Receive('q', 0);
    EXPECT_EQ(Drain(r, 0, 0), std::vector<std::uint8_t>{'E'});
}

TEST(GenerateTestFlight, StaysInRangeAndMarksLaunch) {
    const auto words = GenerateTestFlight(3000, 200, 512, 40);
    ASSERT_EQ(words.size(), 3000u);
    EXPECT_EQ(words[0], 512 + ((0 * 7919) % 5 - 2));
    EXPECT_EQ(words[200] >> 12, 1);
    for (std::uint16_t w : words) {
        EXPECT_GT(w & 0xFFF, 0);
        EXPECT_LT(w & 0xFFF, 0xFFF);
    }
}

} // namespace
} // namespace tavo

namespace tavo {
namespace {

TEST(ResampledFlight, ReadingsAverageTheirIntervalAndKeepTheSumsFlagsStayInTheirInterval) {
    ServedFlight flight;
    flight.sampleRate = 100;
    flight.words = {500, 0x1000 | 510, 530, 0x4000 | 530, 600};
    struct Case {
        int rate;
        std::vector<std::uint16_t> in;
        std::vector<std::uint16_t> out;
    };
    const Case cases[] = {
        {100, flight.words, flight.words},
        {0, flight.words, flight.words},
        // Twice the rate: each reading covers half of one the recorder made.
        {200, flight.words, {500, 0x1000 | 510, 510, 530, 530, 0x4000 | 530, 530, 600, 600}},
        // Half the rate: each reading is the mean of two; before the first sample the
        // rocket stood still.
        {50, flight.words, {500, 0x1000 | 520, 0x4000 | 565}},
        // Means of 501.5 and 502.5: rounding each alone would add a count to the sum.
        {50, {500, 501, 502, 502, 503}, {500, 502, 502}},
    };
    for (const Case& c : cases) {
        flight.words = c.in;
        const ServedFlight out = ResampleFlight(flight, c.rate);
        EXPECT_EQ(out.words, c.out) << c.rate;
        EXPECT_EQ(out.sampleRate, c.rate > 0 ? c.rate : 100);
    }
    // No reading becomes the ring buffer's marker.
    flight.words = {4094, 4095};
    EXPECT_EQ(ResampleFlight(flight, 1000).words.back(), 4094);
}

// The demo flight downloaded from the demo recorder set to each rate: the same flight,
// with no drift of the summed speed. 500 Hz fills the memory in 65.5 s, before the
// landing at 111 s: there the descent must still be the one recorded at 100 Hz.
TEST(ResampledFlight, TheDemoRecorderFliesTheSameFlightAtEveryRate) {
    ServedFlight demo;
    std::string error;
    ASSERT_TRUE(LoadServedFlight(TAVOKIT_SOURCE_DIR "/data/demo.flt", demo, error)) << error;
    FlightStats stats100;
    std::vector<float> velocity100;
    for (const int rate : {100, 50, 200, 500}) {
        test::BenchDirectory ports;
        auto device = ports.Add(DemoRecorderOptions(demo));
        {
            auto lock = device->Lock();
            device->Recorder().SetFlight(demo.words, demo.sampleRate, demo.twoGee);
            device->Recorder().SetWord(address::kSamplePeriod,
                                       static_cast<std::uint16_t>(1000 / rate));
        }
        test::ScriptedPrompt sink;
        SerialLink link(ports, sink);
        FlightDownload download(link);
        ASSERT_EQ(download.DownloadFlight(kZr7MemorySamples), DownloadOutcome::Downloaded);
        test::Flight f;
        download.m_description.ApplyTo(f);
        f.m_pSamples.items() = download.m_pReceived;
        f.Recompute();
        FlightStats s;
        ASSERT_TRUE(ComputeFlightStats(f, s, error)) << error;
        ASSERT_EQ(f.m_nSampleRate, rate);
        if (rate == 100) {
            ASSERT_TRUE(s.landingTime);
            stats100 = s;
            velocity100 = f.m_arrVelocity;
        }
        EXPECT_NEAR(s.apogee, stats100.apogee, 0.01 * stats100.apogee) << rate;
        ASSERT_TRUE(s.launchTime);
        EXPECT_NEAR(*s.launchTime, *stats100.launchTime, 0.01) << rate;
        if (rate < 500) {
            ASSERT_TRUE(s.landingTime) << rate;
            EXPECT_NEAR(*s.landingTime, *stats100.landingTime, 0.5) << rate;
        } else {
            // The memory full in the descent, going down as fast as at 100 Hz then.
            EXPECT_EQ(download.m_nSamplesReceived, kZr7MemorySamples);
            EXPECT_NEAR(f.m_arrVelocity.back(), velocity100.at((f.SampleCount() - 1) / 5), 0.3);
        }
    }
}

TEST(ResampledFlight, TheDemoRecorderServesItsFlightAtTheRateItIsSetTo) {
    ServedFlight flight;
    flight.sampleRate = 100;
    for (int i = 0; i < 400; ++i)
        flight.words.push_back(static_cast<std::uint16_t>(500 + i));
    Zr7Options options;
    options.recordAtRate = [flight](int rate) { return ResampleFlight(flight, rate).words; };
    Zr7Recorder r(options);
    r.SetFlight(flight.words, flight.sampleRate, 15);
    r.SetWord(10, 0); // no pre-launch ring: the image is the flight
    // The first block of a transfer shows what the recorder serves.
    const auto firstBlock = [&r] {
        r.Receive('T', 0);
        std::vector<std::uint8_t> bytes = Drain(r, 0, 1000000000);
        r.Receive('A', 0);
        Drain(r, 0, 1000000000);
        return bytes;
    };
    EXPECT_EQ(firstBlock()[2], 501 & 0xFF);  // 100 Hz: the flight as set
    EXPECT_EQ(r.MemoryImage().size(), 408u); // and a block of erased memory
    r.SetWord(2, 5);                         // 200 Hz
    EXPECT_EQ(firstBlock()[2], 501 & 0xFF);  // 500.5 rounds up
    EXPECT_EQ(firstBlock()[4], 501 & 0xFF);
    EXPECT_EQ(r.MemoryImage().size(), 800u); // 799 samples, padded to whole blocks
    EXPECT_EQ(r.MemoryImage()[798], 899);
}

} // namespace
} // namespace tavo
