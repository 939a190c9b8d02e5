#pragma once
// Reads a fuzzer's byte string as a stream of small choices. Past the end every read gives
// zero, so any byte string, the empty one included, decodes to a valid action sequence.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace linelab::fuzz {

class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool Empty() const { return pos_ >= bytes_.size(); }

    uint8_t Byte() { return Empty() ? 0 : bytes_[pos_++]; }

    uint16_t Word() {
        const uint16_t high = Byte();
        return static_cast<uint16_t>(high << 8 | Byte());
    }

    // A choice among n (n > 0) options.
    int Below(int n) {
        const int raw = n <= 256 ? Byte() : Word();
        return raw % n;
    }

    // Up to n raw bytes, fewer when the input runs out.
    std::string Bytes(std::size_t n) {
        const std::size_t take = std::min(n, bytes_.size() - std::min(pos_, bytes_.size()));
        std::string out(reinterpret_cast<const char*>(bytes_.data() + pos_), take);
        pos_ += take;
        return out;
    }

  private:
    std::span<const uint8_t> bytes_;
    std::size_t pos_ = 0;
};

}  // namespace linelab::fuzz
