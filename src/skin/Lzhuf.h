#pragma once
#include "framework/Exception.h"

#include <QByteArray>

// Raised when the decompressor's work tables cannot be had.
class ElzhException : public Exception {
public:
    using Exception::Exception;
};

inline const QString kLzhNoMemory = QStringLiteral("LZH : Cannot get memory for dictionary tables");

// LZHUF decompressor.
class TLZH {
public:
    // Decodes exactly `length` bytes from `input` (bits most significant first; reading past the
    // end gives zero bits). Never reads or writes outside either buffer. Raises ElzhException
    // when memory for the output or the work tables cannot be had.
    static QByteArray Decode(const char* input, qsizetype inputSize, qsizetype length);
    static QByteArray Decode(const QByteArray& input, qsizetype length)
    {
        return Decode(input.constData(), input.size(), length);
    }
};
