#include "document/Crc32.h"

#include <array>
#include <mutex>
#include <zlib.h>

namespace {

// crc32_combine_op's operators for every length below 2^48, in four digits
// of 12 bits: Combine multiplies in one per digit that is not 0, so a
// length below 4096 costs one. A row is made the first time a length needs
// it, by one multiplication an entry.
class CombineOperators {
public:
    static constexpr int kBits = 12;
    static constexpr int kDigits = 4;
    static constexpr uint64_t kReach = uint64_t{1} << (kBits * kDigits);

    // The first stretch's part of a combination: its CRC moved on past
    // `length` bytes. `length` is below kReach.
    uLong Advance(uLong crc, uint64_t length) {
        for (size_t digit = 0; length != 0; ++digit, length >>= kBits)
            if (const size_t n = length & (kRow - 1); n != 0) crc = crc32_combine_op(crc, 0, Row(digit)[n]);
        return crc;
    }

private:
    static constexpr size_t kRow = size_t{1} << kBits;
    // An operator is a CRC-sized polynomial: 32 bits hold it.
    using Operators = std::array<uint32_t, kRow>;

    const Operators& Row(size_t digit) {
        std::call_once(m_made[digit], [this, digit] {
            Operators& row = m_rows[digit];
            const uLong unit = crc32_combine_gen(z_off_t{1} << (kBits * static_cast<int>(digit)));
            row[1] = static_cast<uint32_t>(unit);
            for (size_t n = 2; n < kRow; ++n)
                row[n] = static_cast<uint32_t>(crc32_combine_op(row[n - 1], 0, unit));
        });
        return m_rows[digit];
    }

    std::array<Operators, kDigits> m_rows{};
    std::array<std::once_flag, kDigits> m_made;
};

} // namespace

uint32_t Crc32::Of(std::span<const uint8_t> bytes, uint32_t crc) {
    return static_cast<uint32_t>(crc32_z(crc, bytes.data(), bytes.size()));
}

uint32_t Crc32::Of(std::string_view bytes, uint32_t crc) {
    return Of({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, crc);
}

uint32_t Crc32::Combine(uint32_t first, uint32_t second, uint64_t secondLength) {
    if (secondLength >= CombineOperators::kReach)
        return static_cast<uint32_t>(crc32_combine(first, second, static_cast<z_off_t>(secondLength)));
    static CombineOperators operators;
    return static_cast<uint32_t>(operators.Advance(first, secondLength) ^ second);
}
