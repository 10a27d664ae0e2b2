#pragma once
#include "framework/Exception.h"
#include "skinformat/PackageMessages.h"

#include <QByteArray>

// Raised when memory for the decoded bytes cannot be had.
class ElzhException : public Exception {
public:
    using Exception::Exception;
};

inline const QString kLzhNoMemory =
    QString::fromLatin1(skinformat::kNoMemoryMessage.data(), qsizetype(skinformat::kNoMemoryMessage.size()));

// LZHUF decompressor.
class TLZH {
public:
    // Decodes exactly `length` bytes from `input` (bits most significant first; reading past the
    // end gives zero bits). Never reads or writes outside either buffer. Raises ElzhException
    // when memory for the output cannot be had.
    static QByteArray Decode(const char* input, qsizetype inputSize, qsizetype length);
    static QByteArray Decode(const QByteArray& input, qsizetype length)
    {
        return Decode(input.constData(), input.size(), length);
    }
};
