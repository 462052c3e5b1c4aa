#include "maintenance/BlockCodec.h"

#include <zlib.h>

namespace Orb {

ArchiveBlock CompressBlock(const QByteArray &raw, int level)
{
    ArchiveBlock block;
    block.rawSize = raw.size();
    z_stream zs{};
    if (deflateInit(&zs, level) != Z_OK) {
        block.ok = false;
        return block;
    }
    QByteArray out(kArchiveBlockSize, Qt::Uninitialized);
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(raw.constData()));
    zs.avail_in = static_cast<uInt>(raw.size());
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&zs, Z_FINISH);
    const int produced = out.size() - static_cast<int>(zs.avail_out);
    deflateEnd(&zs);
    if (rc == Z_STREAM_END) {
        out.truncate(produced);
        block.bytes = out;
    } else if (rc == Z_OK || rc == Z_BUF_ERROR) {
        // The stream did not fit into one block: keep the bytes as they are.
        block.stored = true;
        block.bytes = raw;
    } else {
        block.ok = false;
    }
    return block;
}

bool InflateBlock(const char *data, int size, QByteArray &out)
{
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return false;
    // One byte of slack shows a stream that inflates to more than a block.
    out.resize(kArchiveBlockSize + 1);
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
    zs.avail_in = static_cast<uInt>(size);
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&zs, Z_FINISH);
    const int produced = out.size() - static_cast<int>(zs.avail_out);
    const bool whole = rc == Z_STREAM_END && zs.avail_in == 0;
    inflateEnd(&zs);
    if (!whole || produced < 1 || produced > kArchiveBlockSize)
        return false;
    out.truncate(produced);
    return true;
}

} // namespace Orb
