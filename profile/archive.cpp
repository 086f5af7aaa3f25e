#include "archive.h"

#include "ansi_codepage.h"

CArchiveException::CArchiveException(Cause cause, const std::string& fileName)
    : std::runtime_error(fileName + ": " + CauseText(cause)),
      m_cause(cause),
      m_strFileName(fileName) {}

const char* CArchiveException::CauseText(Cause cause) {
    switch (cause) {
        case endOfFile:
            return "unexpected end of file";
        case badLength:
            return "bad length";
        case badVersion:
            return "unsupported version";
    }
    return "bad format";
}

CArchive::CArchive(std::istream& in, std::string fileName)
    : m_in(&in), m_fileName(std::move(fileName)) {
    const auto start = in.tellg();
    in.seekg(0, std::ios::end);
    const auto end = in.tellg();
    in.seekg(start);
    if (start >= 0 && end >= start) m_left = static_cast<uint64_t>(end - start);
}

CArchive::CArchive(std::string& out) : m_out(&out) {}

void CArchive::Fail(CArchiveException::Cause cause) const {
    throw CArchiveException(cause, m_fileName);
}

void CArchive::Require(uint64_t bytes) const {
    if (bytes > m_left) Fail(CArchiveException::endOfFile);
}

void CArchive::Read(void* data, size_t size) {
    Require(size);
    if (!m_in->read(static_cast<char*>(data), static_cast<std::streamsize>(size)))
        Fail(CArchiveException::endOfFile);
    m_left -= size;
}

void CArchive::Write(const void* data, size_t size) {
    m_out->append(static_cast<const char*>(data), size);
}

uint8_t CArchive::ReadByte() {
    uint8_t b = 0;
    Read(&b, 1);
    return b;
}

uint16_t CArchive::ReadUInt16() {
    uint8_t b[2];
    Read(b, 2);
    return static_cast<uint16_t>(b[0] | b[1] << 8);
}

int32_t CArchive::ReadInt32() {
    uint8_t b[4];
    Read(b, 4);
    return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                static_cast<uint32_t>(b[2]) << 16 |
                                static_cast<uint32_t>(b[3]) << 24);
}

void CArchive::WriteUInt16(uint16_t value) {
    const uint8_t b[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    Write(b, 2);
}

void CArchive::WriteInt32(int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                          static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    Write(b, 4);
}

void CArchive::WriteCount(uint64_t count) {
    if (count < 0xFFFF) {
        WriteUInt16(static_cast<uint16_t>(count));
    } else {
        WriteUInt16(0xFFFF);
        WriteInt32(static_cast<int32_t>(count));
    }
}

uint32_t CArchive::ReadCount(uint32_t minEntryBytes) {
    uint32_t count = ReadUInt16();
    if (count == 0xFFFF) count = static_cast<uint32_t>(ReadInt32());
    Require(uint64_t{count} * minEntryBytes);
    return count;
}

void CArchive::WriteString(std::string_view text) {
    const uint64_t length = text.size();
    if (length < 0xFF) {
        const auto b = static_cast<uint8_t>(length);
        Write(&b, 1);
    } else {
        const uint8_t marker = 0xFF;
        Write(&marker, 1);
        if (length < 0xFFFE) {
            WriteUInt16(static_cast<uint16_t>(length));
        } else {
            WriteUInt16(0xFFFF);
            if (length < 0xFFFFFFFF) {
                WriteInt32(static_cast<int32_t>(length));
            } else {
                WriteInt32(-1);
                WriteInt32(static_cast<int32_t>(length));
                WriteInt32(static_cast<int32_t>(length >> 32));
            }
        }
    }
    Write(text.data(), text.size());
}

// The rest of a length whose first byte was 0xFF and whose next uint16 is given.
uint64_t CArchive::ReadLength(uint16_t word) {
    if (word < 0xFFFF) return word;
    const auto dword = static_cast<uint32_t>(ReadInt32());
    if (dword < 0xFFFFFFFF) return dword;
    const auto low = static_cast<uint32_t>(ReadInt32());
    const auto high = static_cast<uint32_t>(ReadInt32());
    if (high != 0 || low >= 0x80000000u) Fail(CArchiveException::badLength);
    return low;
}

std::string CArchive::ReadString() {
    bool wide = false;
    uint64_t length = ReadByte();
    if (length == 0xFF) {
        uint16_t word = ReadUInt16();
        if (word == 0xFFFE) {
            wide = true;
            length = ReadByte();
            if (length == 0xFF) length = ReadLength(ReadUInt16());
        } else {
            length = ReadLength(word);
        }
    }
    if (!wide) {
        Require(length);
        std::string text(static_cast<size_t>(length), '\0');
        Read(text.data(), text.size());
        return text;
    }
    Require(length * 2);
    std::u16string units(static_cast<size_t>(length), u'\0');
    for (auto& unit : units) unit = ReadUInt16();
    return vh::WideToAnsi(units);
}

void CArchive::Exchange(int32_t& value) {
    if (IsStoring())
        WriteInt32(value);
    else
        value = ReadInt32();
}

void CArchive::Exchange(std::string& text) {
    if (IsStoring())
        WriteString(text);
    else
        text = ReadString();
}

void CArchive::Exchange(GUID& guid) {
    if (IsStoring()) {
        WriteInt32(static_cast<int32_t>(guid.Data1));
        WriteUInt16(guid.Data2);
        WriteUInt16(guid.Data3);
        Write(guid.Data4, 8);
    } else {
        guid.Data1 = static_cast<uint32_t>(ReadInt32());
        guid.Data2 = ReadUInt16();
        guid.Data3 = ReadUInt16();
        Read(guid.Data4, 8);
    }
}

void CArchive::ExchangeBool32(bool& value) {
    if (IsStoring()) {
        WriteInt32(value ? 1 : 0);
    } else {
        value = ReadInt32() != 0;
    }
}
