#include "flight/flight_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "flight/archive.h"
#include "flight/atomic_file.h"
#include "flight/text_format.h"

namespace tavo {

namespace {

// Every field a flight file can carry; the ones an old version lacks stay empty and
// the document keeps its own value for them.
struct StagedFlight {
    std::vector<std::string> samples;
    std::optional<std::int32_t> accelOffset;
    std::optional<float> twoGeeFile;
    std::int32_t sampleRate = 0;
    std::int32_t preLaunchSetting = 0;
    std::uint32_t date = 0;
    std::string name, motor, comment;
    std::optional<float> launchWeight, propellantWeight, maxDiameter;
    std::optional<FlightStart> start;
};

// A flight cut before C1 carries where its curves start after the version 5 rows, which
// end the record for every reader of the layout: a tag, the payload's length, the zero
// reference, velocity and height as float32, and a CRC-32 of the payload. Anything
// after row 14 that is not such a tail, or a tail that does not check out, is ignored.
constexpr char kStartTag[8] = {'T', 'K', 's', 't', 'a', 'r', 't', '\x1A'};
constexpr std::uint16_t kStartPayloadBytes = 12;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void WriteStartTail(std::vector<std::uint8_t>& bytes, const FlightStart& start) {
    bytes.insert(bytes.end(), std::begin(kStartTag), std::end(kStartTag));
    ArchiveWriter out(bytes);
    out.WriteU16(kStartPayloadBytes);
    const std::size_t payload = bytes.size();
    out.WriteF32(start.zeroRef);
    out.WriteF32(start.velocity);
    out.WriteF32(start.height);
    out.WriteU32(Crc32(bytes.data() + payload, kStartPayloadBytes));
}

// The start of the curves from the bytes after row 14, when they are a sound tail.
std::optional<FlightStart> ReadStartTail(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof kStartTag || std::memcmp(data, kStartTag, sizeof kStartTag) != 0)
        return std::nullopt;
    ArchiveReader in(data + sizeof kStartTag, size - sizeof kStartTag);
    std::uint16_t length = 0;
    if (!in.ReadU16(length) || length < kStartPayloadBytes ||
        in.Remaining() < std::size_t{length} + 4)
        return std::nullopt;
    const std::uint8_t* payload = data + sizeof kStartTag + 2;
    FlightStart start;
    std::uint32_t crc = 0;
    if (!in.ReadF32(start.zeroRef) || !in.ReadF32(start.velocity) || !in.ReadF32(start.height))
        return std::nullopt;
    ArchiveReader crcIn(payload + length, 4);
    if (!crcIn.ReadU32(crc) || crc != Crc32(payload, length))
        return std::nullopt;
    // A reading is 12 bits; a start that is not a number would spoil every curve.
    if (!(start.zeroRef >= 0.0f && start.zeroRef <= 4095.0f) || !std::isfinite(start.velocity) ||
        !std::isfinite(start.height))
        return std::nullopt;
    return start;
}

enum class DecodeStatus { Ok, WrongType, NoRate, Damaged };

bool ReadSamples(ArchiveReader& in, std::vector<std::string>& samples) {
    std::uint32_t count;
    if (!in.ReadCount(count))
        return false;
    // Each sample takes at least its one length byte.
    if (count > in.Remaining())
        return false;
    samples.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string text;
        if (!in.ReadString(text))
            return false;
        samples.push_back(std::move(text));
    }
    return true;
}

DecodeStatus Decode(ArchiveReader& in, int& version, StagedFlight& out) {
    std::int32_t v;
    if (!in.ReadI32(v))
        return DecodeStatus::Damaged;
    version = v;
    if (v < 2 || v > 5)
        return DecodeStatus::WrongType;
    if (!ReadSamples(in, out.samples))
        return DecodeStatus::Damaged;
    if (v >= 3) {
        std::int32_t offset;
        float twoGee;
        if (!in.ReadI32(offset) || !in.ReadF32(twoGee))
            return DecodeStatus::Damaged;
        out.accelOffset = offset;
        out.twoGeeFile = twoGee;
    }
    if (v == 5) {
        if (!in.ReadI32(out.sampleRate))
            return DecodeStatus::Damaged;
    } else {
        std::int32_t interval;
        if (!in.ReadI32(interval))
            return DecodeStatus::Damaged;
        // An interval of 0 would divide by zero: the file is not one we can read.
        if (interval == 0)
            return DecodeStatus::NoRate;
        out.sampleRate = 1000 / interval;
    }
    if (!in.ReadI32(out.preLaunchSetting) || !in.ReadU32(out.date) || !in.ReadString(out.name) ||
        !in.ReadString(out.motor) || !in.ReadString(out.comment))
        return DecodeStatus::Damaged;
    if (v >= 4) {
        float launch, propellant, diameter;
        if (!in.ReadF32(launch) || !in.ReadF32(propellant) || !in.ReadF32(diameter))
            return DecodeStatus::Damaged;
        out.launchWeight = launch;
        out.propellantWeight = propellant;
        out.maxDiameter = diameter;
    }
    if (v == 5)
        out.start = ReadStartTail(in.Position(), in.Remaining());
    return DecodeStatus::Ok;
}

void Commit(StagedFlight& staged, FlightRecord& flight) {
    {
        std::lock_guard<std::mutex> lock(flight.m_pSamples.mutex());
        flight.m_pSamples.items().swap(staged.samples);
    }
    if (staged.accelOffset)
        flight.m_nAccelOffset = *staged.accelOffset;
    if (staged.twoGeeFile)
        flight.m_fTwoGeeFile = *staged.twoGeeFile;
    flight.m_nSampleRate = staged.sampleRate;
    flight.m_nPreLaunchSetting = staged.preLaunchSetting;
    flight.m_timeDate = staged.date;
    flight.m_strName = std::move(staged.name);
    flight.m_strMotor = std::move(staged.motor);
    flight.m_strComment = std::move(staged.comment);
    if (staged.launchWeight)
        flight.m_fLaunchWeight = *staged.launchWeight;
    if (staged.propellantWeight)
        flight.m_fPropellantWeight = *staged.propellantWeight;
    if (staged.maxDiameter)
        flight.m_fMaxDiameter = *staged.maxDiameter;
    flight.m_start = staged.start;
}

} // namespace

std::vector<std::uint8_t> EncodeFlightFile(const FlightRecord& flight) {
    std::vector<std::uint8_t> bytes;
    ArchiveWriter out(bytes);
    out.WriteI32(kFlightFileVersion);
    {
        std::lock_guard<std::mutex> lock(flight.m_pSamples.mutex());
        const std::vector<std::string>& samples = flight.m_pSamples.items();
        std::size_t total = 16;
        for (const std::string& s : samples)
            total += s.size() + 1;
        bytes.reserve(total + 64);
        const std::size_t count = std::min<std::size_t>(samples.size(), 0xFFFFFFFFu);
        out.WriteCount(static_cast<std::uint32_t>(count));
        for (std::size_t i = 0; i < count; ++i)
            out.WriteString(samples[i]);
    }
    out.WriteI32(flight.m_nAccelOffset);
    out.WriteF32(flight.m_fTwoGeeFile);
    out.WriteI32(flight.m_nSampleRate);
    out.WriteI32(flight.m_nPreLaunchSetting);
    // The file holds an unsigned 32-bit time; dates outside it are pinned to its ends.
    const std::int64_t date = std::clamp<std::int64_t>(flight.m_timeDate, 0, 0xFFFFFFFFll);
    out.WriteU32(static_cast<std::uint32_t>(date));
    out.WriteString(flight.m_strName);
    out.WriteString(flight.m_strMotor);
    out.WriteString(flight.m_strComment);
    out.WriteF32(flight.m_fLaunchWeight);
    out.WriteF32(flight.m_fPropellantWeight);
    out.WriteF32(flight.m_fMaxDiameter);
    if (flight.m_start)
        WriteStartTail(bytes, *flight.m_start);
    return bytes;
}

bool DecodeFlightFile(const std::vector<std::uint8_t>& bytes, const std::string& fileName,
                      FlightRecord& flight, FileError& error, int* version) {
    ArchiveReader in(bytes.data(), bytes.size());
    StagedFlight staged;
    int v = 0;
    const DecodeStatus status = Decode(in, v, staged);
    if (version != nullptr)
        *version = v;
    if (status == DecodeStatus::WrongType || status == DecodeStatus::NoRate) {
        const std::string why =
            status == DecodeStatus::NoRate
                ? fileName + " is a version " + std::to_string(v) +
                      " flight file with a sample interval of 0 ms, which gives no sample rate."
                : fileName +
                      " is not a flight file: flight files begin with their version, 2 "
                      "to 5, and this one begins with " +
                      std::to_string(v) + ".";
        error = {"Error", WithReason("Wrong file type", why)};
        return false;
    }
    if (status == DecodeStatus::Damaged) {
        error = {"Error",
                 "The flight file " + fileName + " is damaged or incomplete and was not opened."};
        return false;
    }
    Commit(staged, flight);
    return true;
}

bool LoadFlightFile(const std::string& path, FlightRecord& flight, FileError& error, int* version) {
    std::vector<std::uint8_t> bytes;
    std::string reason;
    if (!ReadWholeFile(path, kMaxFlightFileBytes, bytes, reason)) {
        error = {"Error", WithReason("Cannot open " + path, reason)};
        return false;
    }
    return DecodeFlightFile(bytes, FileNameOf(path), flight, error, version);
}

bool SaveFlightFile(const std::string& path, const FlightRecord& flight, FileError& error) {
    std::string reason;
    if (!WriteFileAtomically(path, EncodeFlightFile(flight), reason)) {
        error = {"Error", WithReason("Cannot save " + path, reason)};
        return false;
    }
    return true;
}

} // namespace tavo
