#include "platform/BinaryStream.h"

#include <QSysInfo>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace platform {

BinaryReader::BinaryReader(QByteArrayView data) : data_(data) {}

void BinaryReader::fail(const QString& reason)
{
    if (error_.isEmpty())
        error_ = reason.isEmpty() ? QStringLiteral("malformed data") : reason;
}

bool BinaryReader::Short(qsizetype n, const char* what)
{
    if (!ok())
        return false;
    if (n < 0 || n > remaining()) {
        fail(QStringLiteral("unexpected end of data reading %1 at offset %2").arg(QLatin1String(what)).arg(pos_));
        return false;
    }
    return true;
}

uint8_t BinaryReader::readUInt8()
{
    if (!need(1, "a byte"))
        return 0;
    return static_cast<uint8_t>(data_[pos_++]);
}

int16_t BinaryReader::readInt16()
{
    return static_cast<int16_t>(readUInt16());
}

uint16_t BinaryReader::readUInt16()
{
    if (!need(2, "a 16-bit value"))
        return 0;
    const auto v = qFromLittleEndian<uint16_t>(data_.data() + pos_);
    pos_ += 2;
    return v;
}

int32_t BinaryReader::readInt32()
{
    return static_cast<int32_t>(readUInt32());
}

uint32_t BinaryReader::readUInt32()
{
    if (!need(4, "a 32-bit value"))
        return 0;
    const auto v = qFromLittleEndian<uint32_t>(data_.data() + pos_);
    pos_ += 4;
    return v;
}

int64_t BinaryReader::readInt64()
{
    if (!need(8, "a 64-bit value"))
        return 0;
    const auto v = qFromLittleEndian<int64_t>(data_.data() + pos_);
    pos_ += 8;
    return v;
}

float BinaryReader::readFloat()
{
    const uint32_t bits = readUInt32();
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

double BinaryReader::readDouble()
{
    const auto bits = static_cast<uint64_t>(readInt64());
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

QByteArray BinaryReader::readBytes(qsizetype n)
{
    if (!need(n, "bytes"))
        return QByteArray();
    QByteArray bytes(data_.data() + pos_, n);
    pos_ += n;
    return bytes;
}

bool BinaryReader::skip(qsizetype n)
{
    if (!need(n, "bytes to skip"))
        return false;
    pos_ += n;
    return true;
}

QString BinaryReader::readWString(int32_t maxChars)
{
    const int32_t bytes = readInt32();
    if (!ok())
        return QString();
    if (bytes < 0 || (bytes % 2) != 0) {
        fail(QStringLiteral("invalid string length %1 at offset %2").arg(bytes).arg(pos_ - 4));
        return QString();
    }
    if (maxChars >= 0 && bytes / 2 > maxChars) {
        fail(QStringLiteral("string of %1 characters exceeds the limit of %2").arg(bytes / 2).arg(maxChars));
        return QString();
    }
    if (!need(bytes, "a string"))
        return QString();
    QString text(bytes / 2, Qt::Uninitialized);
    // An empty text stays without storage of its own.
    if (bytes > 0) {
        if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
            std::memcpy(text.data(), data_.data() + pos_, static_cast<size_t>(bytes));
        } else {
            for (int32_t i = 0; i < bytes / 2; ++i)
                text[i] = QChar(qFromLittleEndian<uint16_t>(data_.data() + pos_ + 2 * i));
        }
    }
    pos_ += bytes;
    return text;
}

int32_t BinaryReader::readCount(qsizetype minRecordBytes, int32_t maxCount)
{
    const int32_t count = readInt32();
    if (!ok())
        return 0;
    if (count < 0 || count > maxCount) {
        fail(QStringLiteral("invalid count %1 at offset %2").arg(count).arg(pos_ - 4));
        return 0;
    }
    if (minRecordBytes > 0 && static_cast<qsizetype>(count) > remaining() / minRecordBytes) {
        fail(QStringLiteral("count %1 at offset %2 exceeds the data left").arg(count).arg(pos_ - 4));
        return 0;
    }
    return count;
}

namespace {

void Append(QByteArray& data, const char* bytes, qsizetype n)
{
    // A field of a few bytes at a time: grown by doubling and copied in,
    // cheaper than the general insertion of QByteArray::append.
    const qsizetype at = data.size();
    if (data.capacity() - at < n)
        data.reserve(std::max<qsizetype>(2 * data.capacity(), at + n));
    data.resize(at + n);
    std::memcpy(data.data() + at, bytes, static_cast<size_t>(n));
}

} // namespace

void BinaryWriter::writeUInt8(uint8_t v)
{
    data_.append(static_cast<char>(v));
}

void BinaryWriter::writeInt16(int16_t v)
{
    writeUInt16(static_cast<uint16_t>(v));
}

void BinaryWriter::writeUInt16(uint16_t v)
{
    char b[2];
    qToLittleEndian(v, b);
    Append(data_, b, 2);
}

void BinaryWriter::writeInt32(int32_t v)
{
    writeUInt32(static_cast<uint32_t>(v));
}

void BinaryWriter::writeUInt32(uint32_t v)
{
    char b[4];
    qToLittleEndian(v, b);
    Append(data_, b, 4);
}

void BinaryWriter::writeInt64(int64_t v)
{
    char b[8];
    qToLittleEndian(v, b);
    Append(data_, b, 8);
}

void BinaryWriter::writeFloat(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    writeUInt32(bits);
}

void BinaryWriter::writeDouble(double v)
{
    int64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    writeInt64(bits);
}

void BinaryWriter::writeBytes(QByteArrayView bytes)
{
    data_.append(bytes.data(), bytes.size());
}

void BinaryWriter::writeWString(const QString& text)
{
    writeInt32(static_cast<int32_t>(text.size() * 2));
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        // The text's own UTF-16 is the file's: one append.
        if (!text.isEmpty())
            data_.append(reinterpret_cast<const char*>(text.constData()), text.size() * 2);
    } else {
        for (QChar c : text)
            writeUInt16(c.unicode());
    }
}

} // namespace platform
