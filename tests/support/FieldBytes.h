// A file assembled field by field, little-endian, as the byte tables of a
// format describe it: fixtures that do not come from the program's writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct FieldBytes
{
    std::string s;

    FieldBytes& u32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            s.push_back(static_cast<char>(v >> (8 * i)));
        return *this;
    }
    FieldBytes& u8(uint32_t v)
    {
        s.push_back(static_cast<char>(v));
        return *this;
    }
    FieldBytes& u16(uint32_t v)
    {
        s.push_back(static_cast<char>(v));
        s.push_back(static_cast<char>(v >> 8));
        return *this;
    }
    // The text and its NUL.
    FieldBytes& text(const std::string& t)
    {
        s.append(t.c_str(), t.size() + 1);
        return *this;
    }
    // A field of `size` bytes: the text, then NULs.
    FieldBytes& fixed(const std::string& t, size_t size)
    {
        std::string field = t;
        field.resize(size, '\0');
        s += field;
        return *this;
    }
    // The bytes with their total size written over the first sizeBytes of them.
    std::string sized(size_t sizeBytes = 4) const
    {
        std::string out = s;
        for (size_t i = 0; i < sizeBytes; ++i)
            out[i] = static_cast<char>(out.size() >> (8 * i));
        return out;
    }
};
