#pragma once

#include <array>
#include <atomic>
#include <cstdint>

// Hands the latest of a series of values from one thread to another without a lock or an
// allocation, so that the window can change what the audio thread plays without ever making
// it wait: three slots, one being written, one ready, one being read.
template <typename Value> class LatestValue {
public:
    LatestValue() = default;
    // For values with no default: every slot starts as this one.
    explicit LatestValue(const Value& initial) : m_slots{initial, initial, initial} {}

    // The writer's side.
    void publish(const Value& value) {
        m_slots[m_writing] = value;
        const std::uint32_t old = m_ready.exchange(m_writing | freshBit, std::memory_order_acq_rel);
        m_writing = old & indexMask;
    }

    // The reader's side: true, with the value, when one was published since the last take.
    bool take(Value& value) {
        if ((m_ready.load(std::memory_order_relaxed) & freshBit) == 0) {
            return false;
        }
        const std::uint32_t old = m_ready.exchange(m_reading, std::memory_order_acq_rel);
        m_reading = old & indexMask;
        value = m_slots[m_reading];
        return true;
    }

private:
    static constexpr std::uint32_t freshBit = 4;
    static constexpr std::uint32_t indexMask = 3;

    std::array<Value, 3> m_slots{};
    std::uint32_t m_writing = 0;           // the writer's alone
    std::uint32_t m_reading = 1;           // the reader's alone
    std::atomic<std::uint32_t> m_ready{2}; // the slot between them, with a bit for fresh
};
