#pragma once
// Little-endian binary records, read and written field by field with
// fixed-width types. The reader checks every read against the bytes left:
// a short or malformed input sets a sticky error that the caller reports; it
// never reads past the end. Once failed, every further read returns zero.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

namespace platform {

class BinaryReader {
public:
    explicit BinaryReader(QByteArrayView data);

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }
    qsizetype position() const { return pos_; }
    qsizetype remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ >= data_.size(); }

    // Marks the input as malformed (the first reason is kept).
    void fail(const QString& reason);

    uint8_t readUInt8();
    int16_t readInt16();
    uint16_t readUInt16();
    int32_t readInt32();
    uint32_t readUInt32();
    int64_t readInt64();
    float readFloat();
    double readDouble();
    // n raw bytes; fails when n is negative or more than remain.
    QByteArray readBytes(qsizetype n);
    bool skip(qsizetype n);
    // A string as the drawing files hold it: an int32 byte count followed by
    // that many bytes of UTF-16LE text. Fails on a negative or odd count or
    // one beyond the bytes left; maxChars bounds the length when given.
    QString readWString(int32_t maxChars = -1);
    // An int32 count of records of at least minRecordBytes each; fails when
    // the count is negative, above maxCount, or cannot fit in what is left.
    // Returns 0 on failure.
    int32_t readCount(qsizetype minRecordBytes, int32_t maxCount = INT32_MAX);

private:
    // Whether n more bytes can be read; otherwise fails with what was to be
    // read. Inline: it guards every field of every record.
    bool need(qsizetype n, const char* what)
    {
        return (n >= 0 && n <= remaining() && ok()) || Short(n, what);
    }
    bool Short(qsizetype n, const char* what);

    QByteArrayView data_;
    qsizetype pos_ = 0;
    QString error_;
};

class BinaryWriter {
public:
    const QByteArray& data() const { return data_; }
    QByteArray take() { return std::move(data_); }

    void writeUInt8(uint8_t v);
    void writeInt16(int16_t v);
    void writeUInt16(uint16_t v);
    void writeInt32(int32_t v);
    void writeUInt32(uint32_t v);
    void writeInt64(int64_t v);
    void writeFloat(float v);
    void writeDouble(double v);
    void writeBytes(QByteArrayView bytes);
    // int32 byte count, then UTF-16LE text without terminator.
    void writeWString(const QString& text);

private:
    QByteArray data_;
};

} // namespace platform
