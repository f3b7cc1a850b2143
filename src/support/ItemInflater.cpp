#include "support/ItemInflater.h"

#include <zlib.h>

namespace {

constexpr uInt kOutPiece = 16384;

} // namespace

struct ItemInflater::Stream {
    z_stream z{};
};

ItemInflater::ItemInflater(int method, quint64 statedSize, quint32 statedCrc)
    : stated_(statedSize), statedCrc_(statedCrc), crc_(static_cast<quint32>(crc32(0, nullptr, 0)))
{
    if (method == Z_DEFLATED) {
        stream_ = std::make_unique<Stream>();
        // Raw deflate data: zip items have no zlib header.
        usable_ = inflateInit2(&stream_->z, -MAX_WBITS) == Z_OK;
        if (!usable_)
            stream_.reset();
        out_.resize(kOutPiece);
    } else {
        usable_ = method == 0;
    }
}

ItemInflater::~ItemInflater()
{
    if (stream_)
        inflateEnd(&stream_->z);
}

ItemInflater::Result ItemInflater::Hand(const char* data, qint64 size, const Sink& sink)
{
    if (size <= 0)
        return Result::Ok;
    if (static_cast<quint64>(size) > stated_ - produced_)
        return Result::TooLong;
    produced_ += static_cast<quint64>(size);
    crc_ = static_cast<quint32>(crc32(crc_, reinterpret_cast<const Bytef*>(data), static_cast<uInt>(size)));
    return sink(data, size) ? Result::Ok : Result::SinkFailed;
}

ItemInflater::Result ItemInflater::Feed(const char* raw, qint64 size, const Sink& sink)
{
    if (!usable_)
        return Result::Corrupt;
    if (!stream_)
        return Hand(raw, size, sink); // stored
    if (ended_)
        return Result::Ok; // what follows the end of the stream is not the item's
    z_stream& z = stream_->z;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw));
    z.avail_in = static_cast<uInt>(size);
    do {
        z.next_out = reinterpret_cast<Bytef*>(out_.data());
        z.avail_out = kOutPiece;
        const int status = inflate(&z, Z_NO_FLUSH);
        if (status == Z_STREAM_END)
            ended_ = true;
        else if (status != Z_OK && status != Z_BUF_ERROR)
            return Result::Corrupt;
        if (const Result handed = Hand(out_.data(), kOutPiece - z.avail_out, sink); handed != Result::Ok)
            return handed;
        if (status == Z_BUF_ERROR)
            break; // no progress without more input
    } while (!ended_ && (z.avail_in > 0 || z.avail_out == 0));
    return Result::Ok;
}

ItemInflater::Result ItemInflater::Finish() const
{
    const bool complete = usable_ && (!stream_ || ended_) && produced_ == stated_ && crc_ == statedCrc_;
    return complete ? Result::Ok : Result::Corrupt;
}
