#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

struct SkinEntry {
    QString name;
    QByteArray data;
};

// The container: version 20000, the CR LF name list, reserved bytes, sizes, data. Names go in
// as Latin-1.
QByteArray BuildSkinContainer(const QList<SkinEntry>& entries);
// The package: the container's length (4 bytes, little-endian), then its LZHUF stream.
QByteArray PackSkinContainer(const QByteArray& container);

// LZHUF compressor: the stream it writes decodes with TLZH::Decode to the input, given the
// input's length.
QByteArray LzhufEncode(const QByteArray& input);
