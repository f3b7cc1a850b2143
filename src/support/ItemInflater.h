#pragma once
// Inflates the data of one zip item as it arrives, held to the size and
// CRC-32 the archive states for it. Nothing beyond the stated size is ever
// handed on: data that inflates to more is refused at that point, so an
// archive that understates a size cannot fill a disk.
#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

class ItemInflater {
public:
    enum class Result { Ok, TooLong, Corrupt, SinkFailed };
    // Receives the inflated bytes; false when it could not take them.
    using Sink = std::function<bool(const char* data, qint64 size)>;

    // method: 0 stored, 8 deflated; any other is Corrupt.
    ItemInflater(int method, quint64 statedSize, quint32 statedCrc);
    ~ItemInflater();
    ItemInflater(const ItemInflater&) = delete;
    ItemInflater& operator=(const ItemInflater&) = delete;

    // One piece of the item's raw (compressed) data. After a result other
    // than Ok the item is done with.
    [[nodiscard]] Result Feed(const char* raw, qint64 size, const Sink& sink);
    // After the last piece: Ok when the data came complete, of the stated
    // size and CRC; Corrupt otherwise.
    [[nodiscard]] Result Finish() const;

private:
    Result Hand(const char* data, qint64 size, const Sink& sink);

    struct Stream;
    std::unique_ptr<Stream> stream_; // null for stored data
    bool usable_ = true;             // the method is known and zlib started
    bool ended_ = false;             // the deflate stream reached its end
    quint64 stated_ = 0;
    quint64 produced_ = 0;
    quint32 statedCrc_ = 0;
    quint32 crc_ = 0;
    std::vector<char> out_;
};
