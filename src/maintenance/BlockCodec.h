#pragma once
// One block of the backup archive: at most 16384 bytes of a file, either as a
// complete zlib stream (positive length) or stored as it is (negative length).

#include <QByteArray>

namespace Orb {

inline constexpr int kArchiveBlockSize = 16384;

struct ArchiveBlock {
    bool ok = true;        // false: the compressor failed
    bool stored = false;   // the bytes are the raw file bytes
    QByteArray bytes;      // zlib stream or raw bytes
    qint64 rawSize = 0;    // file bytes the block covers
};

// Compresses the raw bytes (at most kArchiveBlockSize) in one call at the
// zlib level into a kArchiveBlockSize buffer; when the stream does not fit,
// the block is stored.
ArchiveBlock CompressBlock(const QByteArray &raw, int level);

// Inflates one zlib stream that must end exactly at the end of the input and
// yield between 1 and kArchiveBlockSize bytes. False on any damage.
bool InflateBlock(const char *data, int size, QByteArray &out);

} // namespace Orb
