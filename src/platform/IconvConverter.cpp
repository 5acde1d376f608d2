#include "platform/IconvConverter.h"

#include <cerrno>
#include <iconv.h>

namespace {

const iconv_t kInvalidHandle = reinterpret_cast<iconv_t>(-1);

} // namespace

CIconvConverter::CIconvConverter(const char* toCode, const char* fromCode)
{
    iconv_t handle = iconv_open(toCode, fromCode);
    if (handle != kInvalidHandle)
        m_pHandle = handle;
}

CIconvConverter::~CIconvConverter()
{
    if (m_pHandle)
        iconv_close(static_cast<iconv_t>(m_pHandle));
}

CIconvConverter::Result CIconvConverter::convert(const char* in, size_t n, std::string& out)
{
    if (!m_pHandle)
        return {Stop::Invalid, 0};
    char* src = const_cast<char*>(in); // iconv's signature; the input is not written
    size_t srcLeft = n;
    for (;;) {
        // Four output bytes per input byte covers every conversion we open
        // (UTF-32 output of single-byte input is the widest).
        const size_t start = out.size();
        const size_t room = srcLeft * 4 + 16;
        out.resize(start + room);
        char* dst = out.data() + start;
        size_t dstLeft = room;
        const size_t rc = iconv(static_cast<iconv_t>(m_pHandle), &src, &srcLeft, &dst, &dstLeft);
        const int error = errno;
        out.resize(out.size() - dstLeft);
        if (rc != static_cast<size_t>(-1))
            return {Stop::Done, n - srcLeft};
        if (error == E2BIG)
            continue;
        return {error == EINVAL ? Stop::Incomplete : Stop::Invalid, n - srcLeft};
    }
}

void CIconvConverter::reset()
{
    if (m_pHandle)
        iconv(static_cast<iconv_t>(m_pHandle), nullptr, nullptr, nullptr, nullptr);
}
