// The byte stream a profile is stored in: little-endian integers, counts and
// length-prefixed strings. One archive either loads or stores; records exchange
// their fields through it with the same calls in both directions.
#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "guid.h"

// Every way a stored profile can be malformed; callers treat them alike.
class CArchiveException : public std::runtime_error {
  public:
    enum Cause { endOfFile, badLength, badVersion };

    CArchiveException(Cause cause, const std::string& fileName);

    static const char* CauseText(Cause cause);

    Cause m_cause;
    std::string m_strFileName;
};

class CArchive {
  public:
    // Loading from `in`; `fileName` names the source in errors.
    CArchive(std::istream& in, std::string fileName);
    // Storing: bytes are appended to `out`.
    explicit CArchive(std::string& out);

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_out != nullptr; }
    bool IsLoading() const { return m_out == nullptr; }
    const std::string& GetFileName() const { return m_fileName; }

    // Each reads into or writes from its argument, as the direction says.
    void Exchange(int32_t& value);
    void Exchange(std::string& text);
    void Exchange(GUID& guid);
    void ExchangeBool32(bool& value);

    void WriteInt32(int32_t value);
    void WriteUInt16(uint16_t value);
    void WriteCount(uint64_t count);
    void WriteString(std::string_view text);

    int32_t ReadInt32();
    uint16_t ReadUInt16();
    // The count of a table whose entries take at least `minEntryBytes` each; a count
    // the rest of the stream cannot hold is an end-of-file error, not an allocation.
    uint32_t ReadCount(uint32_t minEntryBytes);
    std::string ReadString();

    [[noreturn]] void Fail(CArchiveException::Cause cause) const;

  private:
    void Read(void* data, size_t size);
    void Write(const void* data, size_t size);
    uint8_t ReadByte();
    uint64_t ReadLength(uint16_t afterMarker);
    void Require(uint64_t bytes) const;

    std::istream* m_in = nullptr;
    std::string* m_out = nullptr;
    std::string m_fileName;
    uint64_t m_left = 0;  // bytes still to be read
};
