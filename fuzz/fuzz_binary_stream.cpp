// The binary reader: a program of reads (the bytes before the first NUL,
// one read per byte) over a record (the bytes after it). Reads never go past
// the end, a failure is sticky, and writing back what was read before the
// first failure gives the bytes that were consumed.
#include "common/FuzzSupport.h"

#include "platform/BinaryStream.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<QByteArray> parts = fuzz::Split(data, size, 2);
    const QByteArray& program = parts[0];
    const QByteArray& record = parts[1];

    platform::BinaryReader in(record);
    platform::BinaryWriter out;
    qsizetype consumed = 0;
    for (const char op : program) {
        const auto code = static_cast<unsigned char>(op);
        const bool wasOk = in.ok();
        const qsizetype before = in.position();
        // What the read gave, written back the same way.
        platform::BinaryWriter echo;
        bool zero = true; // the read gave zero (or nothing)
        switch (code % 12) {
        case 0: { const auto v = in.readUInt8(); echo.writeUInt8(v); zero = v == 0; break; }
        case 1: { const auto v = in.readInt16(); echo.writeInt16(v); zero = v == 0; break; }
        case 2: { const auto v = in.readUInt16(); echo.writeUInt16(v); zero = v == 0; break; }
        case 3: { const auto v = in.readInt32(); echo.writeInt32(v); zero = v == 0; break; }
        case 4: { const auto v = in.readUInt32(); echo.writeUInt32(v); zero = v == 0; break; }
        case 5: { const auto v = in.readInt64(); echo.writeInt64(v); zero = v == 0; break; }
        case 6: {
            const float v = in.readFloat();
            echo.writeFloat(v);
            uint32_t bits = 0;
            std::memcpy(&bits, &v, sizeof bits);
            zero = bits == 0;
            break;
        }
        case 7: {
            const double v = in.readDouble();
            echo.writeDouble(v);
            uint64_t bits = 0;
            std::memcpy(&bits, &v, sizeof bits);
            zero = bits == 0;
            break;
        }
        case 8: {
            const QByteArray v = in.readBytes(code / 12 - 2);
            echo.writeBytes(v);
            zero = v.isEmpty();
            break;
        }
        case 9: {
            const qsizetype n = code / 12 - 2;
            const QByteArray skipped = record.mid(in.position(), n < 0 ? 0 : n);
            if (in.skip(n))
                echo.writeBytes(skipped);
            zero = !in.ok() || n == 0;
            break;
        }
        case 10: {
            const QString v = in.readWString(code / 12 - 1);
            echo.writeWString(v);
            zero = v.isEmpty();
            break;
        }
        default: {
            const int32_t v = in.readCount(code / 12, code % 2 ? INT32_MAX : 100);
            echo.writeInt32(v);
            zero = v == 0;
            break;
        }
        }
        fuzz::Check(in.position() >= 0 && in.position() <= record.size(), "the reader left the record");
        fuzz::Check(in.remaining() == record.size() - in.position(), "remaining bytes do not add up");
        if (!wasOk) {
            fuzz::Check(!in.ok() && zero && in.position() == before, "a failed reader read on");
            continue;
        }
        if (!in.ok())
            continue;
        out.writeBytes(echo.data());
        consumed = in.position();
        fuzz::Check(out.data() == record.first(consumed), "what was read writes back differently",
                    QStringLiteral("op %1 at %2").arg(code).arg(before));
    }
    return 0;
}
