#include "frame/widgets/DocumentChecksums.h"

#include "doc/CLumoDoc.h"
#include "frame/Crc32.h"

#include <QCryptographicHash>

#include <algorithm>

namespace {

std::string HexOf(const QCryptographicHash& hash)
{
    return hash.result().toHex().toStdString();
}

} // namespace

ChecksumValues SumDocumentBytes(CLumoDoc& doc, uint32_t start, uint32_t length)
{
    CCrc32 crc;
    QCryptographicHash md5(QCryptographicHash::Md5);
    QCryptographicHash sha1(QCryptographicHash::Sha1);
    QCryptographicHash sha256(QCryptographicHash::Sha256);
    for (uint32_t done = 0; done < length;) {
        const uint32_t n = std::min(kChecksumChunk, length - done);
        const uint8_t* bytes = doc.GetSpanPointer(start + done, n);
        const QByteArrayView chunk(bytes, n);
        crc.update(bytes, n);
        md5.addData(chunk);
        sha1.addData(chunk);
        sha256.addData(chunk);
        done += n;
    }
    return {Crc32Hex(crc.value()), HexOf(md5), HexOf(sha1), HexOf(sha256)};
}
