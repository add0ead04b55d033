#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace rw {

// Little-endian field-by-field access to the binary files of the results
// (index records, deactivation history, table settings), independent of the
// machine's byte order. The caller guarantees the buffer is long enough.
class ByteWriter {
public:
    explicit ByteWriter(char* out) : p_(out) {}
    void PutByte(std::uint8_t v) { *p_++ = static_cast<char>(v); }
    void PutBytes(const char* bytes, std::size_t n) {
        std::memcpy(p_, bytes, n);
        p_ += n;
    }
    void PutZeros(std::size_t n) {
        std::memset(p_, 0, n);
        p_ += n;
    }
    void PutUint16(std::uint16_t v) {
        PutByte(static_cast<std::uint8_t>(v & 0xFF));
        PutByte(static_cast<std::uint8_t>(v >> 8));
    }
    void PutDouble(double v) {
        std::uint64_t bits = std::bit_cast<std::uint64_t>(v);
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(p_, &bits, sizeof bits);
            p_ += sizeof bits;
        } else {
            for (int i = 0; i < 8; ++i) PutByte(static_cast<std::uint8_t>(bits >> (8 * i)));
        }
    }

private:
    char* p_;
};

class ByteReader {
public:
    explicit ByteReader(const char* in) : p_(in) {}
    std::uint8_t GetByte() { return static_cast<std::uint8_t>(*p_++); }
    void GetBytes(char* out, std::size_t n) {
        std::memcpy(out, p_, n);
        p_ += n;
    }
    void Skip(std::size_t n) { p_ += n; }
    std::uint16_t GetUint16() {
        std::uint16_t lo = GetByte();
        std::uint16_t hi = GetByte();
        return static_cast<std::uint16_t>(lo | (hi << 8));
    }
    double GetDouble() {
        std::uint64_t bits = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&bits, p_, sizeof bits);
            p_ += sizeof bits;
        } else {
            for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(GetByte()) << (8 * i);
        }
        return std::bit_cast<double>(bits);
    }

private:
    const char* p_;
};

}  // namespace rw
