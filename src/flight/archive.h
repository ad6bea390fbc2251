#pragma once
// Little-endian binary fields as the flight file stores them: fixed-width numbers,
// element counts and length-prefixed 8-bit strings. The reader never trusts a
// count: it reports how many bytes are left so callers refuse impossible sizes
// before allocating anything.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavo {

class ArchiveReader {
public:
    ArchiveReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t Remaining() const { return m_size - m_pos; }
    // The next unread byte.
    const std::uint8_t* Position() const { return m_data + m_pos; }
    bool ReadU8(std::uint8_t& value);
    bool ReadU16(std::uint16_t& value);
    bool ReadU32(std::uint32_t& value);
    bool ReadI32(std::int32_t& value);
    bool ReadF32(float& value);
    // An element count: uint16, or 0xFFFF then uint32.
    bool ReadCount(std::uint32_t& value);
    // A length-prefixed string in any of its four forms; 16-bit strings come back
    // converted to Windows-1252. Fails on a length beyond the remaining bytes.
    bool ReadString(std::string& value);

private:
    bool ReadStringLength(std::uint32_t& length, bool& wide);
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

class ArchiveWriter {
public:
    explicit ArchiveWriter(std::vector<std::uint8_t>& out) : m_out(out) {}
    void WriteU8(std::uint8_t value) { m_out.push_back(value); }
    void WriteU16(std::uint16_t value);
    void WriteU32(std::uint32_t value);
    void WriteI32(std::int32_t value);
    void WriteF32(float value);
    void WriteCount(std::uint32_t count);
    // The shortest 8-bit form for the length; strings of 4 GiB or more are cut.
    void WriteString(const std::string& value);

private:
    std::vector<std::uint8_t>& m_out;
};

} // namespace tavo
