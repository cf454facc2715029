// Little-endian reading and writing of the program's binary files: int32, IEEE 754
// float32 and the unsigned forms of the counted-string prefixes, with no padding.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace krovel {

// Reads from a byte range and never past its end: a read that does not fit marks the
// reader failed, yields zero, and every later read fails too.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }
    void fail() { ok_ = false; }
    size_t remaining() const { return ok_ ? size_ - pos_ : 0; }

    // The next n bytes, or nullptr when fewer remain.
    const uint8_t* take(size_t n) {
        if (!ok_ || n > size_ - pos_) {
            ok_ = false;
            return nullptr;
        }
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }

    uint8_t u8() { return static_cast<uint8_t>(little(1)); }
    uint16_t u16() { return static_cast<uint16_t>(little(2)); }
    uint32_t u32() { return static_cast<uint32_t>(little(4)); }
    uint64_t u64() { return little(8); }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    float f32() { return std::bit_cast<float>(u32()); }

private:
    uint64_t little(size_t n) {
        const uint8_t* p = take(n);
        uint64_t v = 0;
        if (p) {
            for (size_t i = n; i-- > 0;) v = (v << 8) | p[i];
        }
        return v;
    }

    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

// Appends to a byte string.
class ByteWriter {
public:
    void u8(uint8_t v) { little(v, 1); }
    void u16(uint16_t v) { little(v, 2); }
    void u32(uint32_t v) { little(v, 4); }
    void u64(uint64_t v) { little(v, 8); }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void f32(float v) { u32(std::bit_cast<uint32_t>(v)); }
    void bytes(const void* p, size_t n) { out_.append(static_cast<const char*>(p), n); }

    const std::string& data() const { return out_; }
    std::string take() { return std::move(out_); }

private:
    void little(uint64_t v, size_t n) {
        for (size_t i = 0; i < n; ++i, v >>= 8) out_ += static_cast<char>(v & 0xFF);
    }

    std::string out_;
};

} // namespace krovel
