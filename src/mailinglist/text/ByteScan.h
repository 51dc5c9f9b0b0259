// Searching and counting bytes sixteen at a time, for the text reader and splitter, which
// look at every byte of a list: there a library call per field or per line costs more than
// the search itself. Written with the compiler's vector types, so it needs no particular
// processor; the last bytes of a range are looked at one by one.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace marrowby {

namespace byte_scan {

constexpr std::ptrdiff_t kBlock = 16;
using Block = unsigned char __attribute__((vector_size(kBlock)));

inline Block Load(const char* at) {
    Block block;
    std::memcpy(&block, at, sizeof block);
    return block;
}

// All ones in every byte of the block that is one of Bytes, zero in the others.
template <char... Bytes>
Block Matches(Block block) {
    return Block((... | (block == static_cast<unsigned char>(Bytes))));
}

// The index of the first byte of the block that matched, or kBlock when none did.
inline int FirstMatch(Block matches) {
    std::uint64_t halves[2];
    std::memcpy(halves, &matches, sizeof halves);
    const auto first = [](std::uint64_t half) {
        return (std::endian::native == std::endian::little ? std::countr_zero(half)
                                                           : std::countl_zero(half)) /
               8;
    };
    if (halves[0] != 0) return first(halves[0]);
    if (halves[1] != 0) return 8 + first(halves[1]);
    return kBlock;
}

template <char... Bytes>
bool IsOneOf(char byte) {
    return (... || (byte == Bytes));
}

}  // namespace byte_scan

// Calls visit(position) for every byte of [from, to) that is one of Bytes, in order, until
// visit returns false; returns false then, else true. Sixteen bytes are compared at once,
// and the matches are taken from two 64-bit words with one bit set in each matching byte.
template <char... Bytes, typename Visit>
bool ForEachOf(const char* from, const char* to, Visit visit) {
    using namespace byte_scan;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kTopBits = 0x8080808080808080;
        for (; to - from >= kBlock; from += kBlock) {
            std::uint64_t halves[2];
            const Block matches = Matches<Bytes...>(Load(from));
            std::memcpy(halves, &matches, sizeof halves);
            for (int half = 0; half < 2; ++half) {
                for (std::uint64_t bits = halves[half] & kTopBits; bits != 0; bits &= bits - 1) {
                    if (!visit(from + 8 * half + std::countr_zero(bits) / 8)) return false;
                }
            }
        }
    }
    for (; from < to; ++from) {
        if (IsOneOf<Bytes...>(*from) && !visit(from)) return false;
    }
    return true;
}

// The first byte of [from, to) that is one of Bytes, or to.
template <char... Bytes>
const char* FindFirstOf(const char* from, const char* to) {
    using namespace byte_scan;
    for (; to - from >= kBlock; from += kBlock) {
        const int at = FirstMatch(Matches<Bytes...>(Load(from)));
        if (at < kBlock) return from + at;
    }
    while (from < to && !IsOneOf<Bytes...>(*from)) ++from;
    return from;
}

// The index in text of the first byte from `from` on that is one of Bytes, or npos.
template <char... Bytes>
std::size_t FindFirstOf(std::string_view text, std::size_t from = 0) {
    if (from >= text.size()) return std::string_view::npos;
    const char* const end = text.data() + text.size();
    const char* const found = FindFirstOf<Bytes...>(text.data() + from, end);
    return found == end ? std::string_view::npos : std::size_t(found - text.data());
}

// How many lines end in [from, to): every LF ends one, and so does every CR but one right
// before an LF. A CR at the last byte counts; the caller knows what follows it.
inline long CountLineEnds(const char* from, const char* to) {
    using namespace byte_scan;
    long count = 0;
    // Each byte of `ends` counts the line ends at its place in up to 255 blocks; the block
    // one byte further on tells which CRs an LF follows.
    while (to - from > kBlock) {
        Block ends{};
        for (int i = 0; i < 255 && to - from > kBlock; ++i, from += kBlock) {
            const Block block = Load(from);
            const Block next = Load(from + 1);
            ends -= Block((block == '\n') | ((block == '\r') & (next != '\n')));
        }
        for (int i = 0; i < kBlock; ++i) count += ends[i];
    }
    for (; from < to; ++from) {
        count += *from == '\n' || (*from == '\r' && (from + 1 == to || from[1] != '\n'));
    }
    return count;
}

}  // namespace marrowby
