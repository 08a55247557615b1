#pragma once

#include <compare>
#include <cstdint>
#include <vector>

namespace tactora {

// A whole number of any size, for the few results that must be rounded once from their
// exact value; only the steps those need.
class BigUnsigned {
public:
    BigUnsigned() = default;
    explicit BigUnsigned(std::uint64_t value);

    BigUnsigned& operator*=(std::uint32_t factor);
    BigUnsigned& operator*=(const BigUnsigned& factor);
    BigUnsigned& operator<<=(int bits);
    BigUnsigned& operator-=(const BigUnsigned& smaller); // never below zero

    int bitLength() const;
    bool isZero() const { return m_words.empty(); }

    friend std::strong_ordering operator<=>(const BigUnsigned& a, const BigUnsigned& b);
    friend bool operator==(const BigUnsigned& a, const BigUnsigned& b) = default;

private:
    void trim();

    std::vector<std::uint32_t> m_words; // least significant first, no leading zero word
};

} // namespace tactora
