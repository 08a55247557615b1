#include "core/big_unsigned.h"

#include <bit>
#include <cstddef>

namespace tactora {

BigUnsigned::BigUnsigned(std::uint64_t value) {
    for (; value != 0; value >>= 32) {
        m_words.push_back(static_cast<std::uint32_t>(value));
    }
}

BigUnsigned& BigUnsigned::operator*=(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& word : m_words) {
        const std::uint64_t product = std::uint64_t{word} * factor + carry;
        word = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0) {
        m_words.push_back(static_cast<std::uint32_t>(carry));
    }
    trim();
    return *this;
}

BigUnsigned& BigUnsigned::operator*=(const BigUnsigned& factor) {
    std::vector<std::uint32_t> product(m_words.size() + factor.m_words.size(), 0);
    for (std::size_t i = 0; i < m_words.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < factor.m_words.size(); ++j) {
            const std::uint64_t sum = std::uint64_t{m_words[i]} * factor.m_words[j] + product[i + j] + carry;
            product[i + j] = static_cast<std::uint32_t>(sum);
            carry = sum >> 32;
        }
        product[i + factor.m_words.size()] = static_cast<std::uint32_t>(carry);
    }
    m_words = std::move(product);
    trim();
    return *this;
}

BigUnsigned& BigUnsigned::operator<<=(int bits) {
    if (isZero() || bits <= 0) {
        return *this;
    }
    const auto wordShift = static_cast<std::size_t>(bits / 32);
    const int bitShift = bits % 32;
    if (bitShift != 0) {
        std::uint32_t carry = 0;
        for (std::uint32_t& word : m_words) {
            const std::uint32_t next = word >> (32 - bitShift);
            word = (word << bitShift) | carry;
            carry = next;
        }
        if (carry != 0) {
            m_words.push_back(carry);
        }
    }
    m_words.insert(m_words.begin(), wordShift, 0);
    return *this;
}

BigUnsigned& BigUnsigned::operator-=(const BigUnsigned& smaller) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < m_words.size(); ++i) {
        std::int64_t difference = std::int64_t{m_words[i]} - borrow;
        if (i < smaller.m_words.size()) {
            difference -= smaller.m_words[i];
        }
        borrow = difference < 0 ? 1 : 0;
        m_words[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    trim();
    return *this;
}

int BigUnsigned::bitLength() const {
    if (isZero()) {
        return 0;
    }
    return static_cast<int>(32 * (m_words.size() - 1) +
                            static_cast<std::size_t>(std::bit_width(m_words.back())));
}

std::strong_ordering operator<=>(const BigUnsigned& a, const BigUnsigned& b) {
    if (a.m_words.size() != b.m_words.size()) {
        return a.m_words.size() <=> b.m_words.size();
    }
    for (std::size_t i = a.m_words.size(); i-- > 0;) {
        if (a.m_words[i] != b.m_words[i]) {
            return a.m_words[i] <=> b.m_words[i];
        }
    }
    return std::strong_ordering::equal;
}

void BigUnsigned::trim() {
    while (!m_words.empty() && m_words.back() == 0) {
        m_words.pop_back();
    }
}

} // namespace tactora
