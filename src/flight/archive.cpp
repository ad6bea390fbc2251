#include "flight/archive.h"

#include <cstring>

#include "flight/text_format.h"

namespace tavo {

bool ArchiveReader::ReadU8(std::uint8_t& value) {
    if (Remaining() < 1)
        return false;
    value = m_data[m_pos++];
    return true;
}

bool ArchiveReader::ReadU16(std::uint16_t& value) {
    if (Remaining() < 2)
        return false;
    value = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    return true;
}

bool ArchiveReader::ReadU32(std::uint32_t& value) {
    if (Remaining() < 4)
        return false;
    value = static_cast<std::uint32_t>(m_data[m_pos]) |
            (static_cast<std::uint32_t>(m_data[m_pos + 1]) << 8) |
            (static_cast<std::uint32_t>(m_data[m_pos + 2]) << 16) |
            (static_cast<std::uint32_t>(m_data[m_pos + 3]) << 24);
    m_pos += 4;
    return true;
}

bool ArchiveReader::ReadI32(std::int32_t& value) {
    std::uint32_t bits;
    if (!ReadU32(bits))
        return false;
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool ArchiveReader::ReadF32(float& value) {
    std::uint32_t bits;
    if (!ReadU32(bits))
        return false;
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool ArchiveReader::ReadCount(std::uint32_t& value) {
    std::uint16_t shortCount;
    if (!ReadU16(shortCount))
        return false;
    if (shortCount != 0xFFFF) {
        value = shortCount;
        return true;
    }
    return ReadU32(value);
}

bool ArchiveReader::ReadStringLength(std::uint32_t& length, bool& wide) {
    // A 0xFF, 0xFFFE prefix only marks the string as 16-bit; the length proper
    // follows by the same rules. One marker is all a string may carry.
    for (int markers = 0; markers < 2; ++markers) {
        std::uint8_t byteLength;
        if (!ReadU8(byteLength))
            return false;
        if (byteLength < 0xFF) {
            length = byteLength;
            return true;
        }
        std::uint16_t wordLength;
        if (!ReadU16(wordLength))
            return false;
        if (wordLength == 0xFFFE) {
            if (wide)
                return false;
            wide = true;
            continue;
        }
        if (wordLength < 0xFFFF) {
            length = wordLength;
            return true;
        }
        return ReadU32(length);
    }
    return false;
}

bool ArchiveReader::ReadString(std::string& value) {
    std::uint32_t length = 0;
    bool wide = false;
    if (!ReadStringLength(length, wide))
        return false;
    const std::size_t bytes = wide ? static_cast<std::size_t>(length) * 2 : length;
    if (bytes > Remaining())
        return false;
    const std::uint8_t* start = m_data + m_pos;
    if (wide) {
        std::u16string units(length, u'\0');
        for (std::uint32_t i = 0; i < length; ++i)
            units[i] = static_cast<char16_t>(start[2 * i] | (start[2 * i + 1] << 8));
        value = Utf16ToWindows1252(units);
    } else {
        value.assign(reinterpret_cast<const char*>(start), bytes);
    }
    m_pos += bytes;
    return true;
}

void ArchiveWriter::WriteU16(std::uint16_t value) {
    m_out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    m_out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::WriteU32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        m_out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

void ArchiveWriter::WriteI32(std::int32_t value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    WriteU32(bits);
}

void ArchiveWriter::WriteF32(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    WriteU32(bits);
}

void ArchiveWriter::WriteCount(std::uint32_t count) {
    if (count < 0xFFFF) {
        WriteU16(static_cast<std::uint16_t>(count));
        return;
    }
    WriteU16(0xFFFF);
    WriteU32(count);
}

void ArchiveWriter::WriteString(const std::string& value) {
    const std::size_t size = value.size() > 0xFFFFFFFFu ? 0xFFFFFFFFu : value.size();
    const auto length = static_cast<std::uint32_t>(size);
    if (length < 0xFF) {
        WriteU8(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(static_cast<std::uint16_t>(length));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(length);
    }
    m_out.insert(m_out.end(), value.begin(), value.begin() + static_cast<std::ptrdiff_t>(size));
}

} // namespace tavo
