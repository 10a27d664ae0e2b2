#include "Lzhuf.h"

#include "skinformat/LzhufDecoder.h"

#include <new>

QByteArray TLZH::Decode(const char* input, qsizetype inputSize, qsizetype length)
{
    if (length <= 0)
        return {};
    QByteArray out;
    try {
        out.resize(length);
    } catch (const std::bad_alloc&) {
        throw ElzhException(kLzhNoMemory);
    }
    if (out.size() != length)
        throw ElzhException(kLzhNoMemory);
    lzhuf::Decode({input, std::size_t(inputSize)}, {out.data(), std::size_t(length)});
    return out;
}
