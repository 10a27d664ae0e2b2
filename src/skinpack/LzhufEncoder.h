#pragma once
#include <QByteArray>

// LZHUF compressor: the stream it writes decodes with TLZH::Decode to the input, given the
// input's length.
QByteArray LzhufEncode(const QByteArray& input);
