#include "document/Crc32.h"

#include <array>

#include <zlib.h>

namespace {

// crc32_combine_op's operator for every length below 2^40, in five digits
// of base 256: Combine multiplies in at most one per digit.
class CombineOperators {
public:
    static constexpr int kDigits = 5;
    static constexpr uint64_t kReach = uint64_t{1} << (8 * kDigits);

    CombineOperators() {
        for (int digit = 0; digit < kDigits; ++digit) {
            auto& row = m_rows[static_cast<size_t>(digit)];
            const uLong unit = crc32_combine_gen(z_off_t{1} << (8 * digit));
            row[1] = unit;
            for (size_t n = 2; n < row.size(); ++n)
                row[n] = crc32_combine_op(row[n - 1], 0, unit);
        }
    }

    // The first stretch's part of a combination: its CRC moved on past
    // `length` bytes. `length` is below kReach.
    uLong Advance(uLong crc, uint64_t length) const {
        for (size_t digit = 0; length != 0; ++digit, length >>= 8)
            if (const size_t n = length & 0xFF; n != 0) crc = crc32_combine_op(crc, 0, m_rows[digit][n]);
        return crc;
    }

private:
    std::array<std::array<uLong, 256>, kDigits> m_rows{};
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
    static const CombineOperators operators;
    return static_cast<uint32_t>(operators.Advance(first, secondLength) ^ second);
}
