// One glibc iconv conversion descriptor, opened on construction and closed with
// the object. Not shareable between threads (iconv keeps state per descriptor).
#pragma once

#include <cstddef>
#include <string>

class CIconvConverter
{
public:
    CIconvConverter(const char* toCode, const char* fromCode);
    ~CIconvConverter();
    CIconvConverter(const CIconvConverter&) = delete;
    CIconvConverter& operator=(const CIconvConverter&) = delete;

    // False when the system has no such conversion; convert() then converts nothing.
    bool isOpen() const { return m_pHandle != nullptr; }

    enum class Stop { Done, Invalid, Incomplete };
    struct Result
    {
        Stop stop;
        size_t consumed; // input bytes converted before the stop
    };

    // Appends the conversion of in[0..n) to out, stopping in front of the first
    // input sequence that is invalid, incomplete or not representable.
    Result convert(const char* in, size_t n, std::string& out);

    // Back to the initial shift state, after a stop.
    void reset();

private:
    void* m_pHandle = nullptr;
};
