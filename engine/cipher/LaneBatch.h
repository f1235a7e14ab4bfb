#pragma once
// The vector paths' common shape, written once for any register type.
//
// A register holds the same word of kLanes blocks. Four registers are loaded
// straight from kLanes consecutive blocks and transposed (within each 128-bit
// lane: four blocks of four words become four words of four blocks), so that
// register j holds word j of every block. The rounds then run on all lanes at
// once, and the transpose, which is its own inverse, puts the blocks back.
//
// The rounds are one long chain of dependent steps, so Depth independent sets
// of registers go through them together to keep the processor's units busy.
//
// Ops supplies the register type Reg, kLanes, EncryptPasses and DecryptPasses
// (xxtea::FourWords for the passes in a loop, xxtea::FourWordsFlat for them
// laid out flat, whichever measured faster), and static functions Load,
// Store (unaligned), Splat, Add, Sub, Xor, ShiftLeft, ShiftRight, and the
// per-128-bit-lane interleaves UnpackLo32, UnpackHi32, UnpackLo64, UnpackHi64.
// This header is included only by files compiled for the instruction set of
// their Ops, and every instantiation is local to that file.

#include "cipher/XxteaRounds.h"

#include <cstddef>
#include <cstdint>

namespace tarvoss::blockbatch {

template <typename Ops, int Depth>
struct LaneWords {
    typename Ops::Reg r[Depth];

    LaneWords() = default;
    TARVOSS_ALWAYS_INLINE explicit LaneWords(std::uint32_t value) {
        for (auto& reg : r) reg = Ops::Splat(value);
    }
};

template <typename Ops, int Depth, typename F>
TARVOSS_ALWAYS_INLINE LaneWords<Ops, Depth> EachLane(const LaneWords<Ops, Depth>& a, F f) {
    LaneWords<Ops, Depth> out;
    for (int g = 0; g < Depth; ++g) out.r[g] = f(a.r[g], g);
    return out;
}

template <typename Ops, int Depth>
TARVOSS_ALWAYS_INLINE LaneWords<Ops, Depth> operator+(const LaneWords<Ops, Depth>& a, const LaneWords<Ops, Depth>& b) {
    return EachLane(a, [&](auto x, int g) TARVOSS_INLINE_LAMBDA { return Ops::Add(x, b.r[g]); });
}

template <typename Ops, int Depth>
TARVOSS_ALWAYS_INLINE LaneWords<Ops, Depth> operator-(const LaneWords<Ops, Depth>& a, const LaneWords<Ops, Depth>& b) {
    return EachLane(a, [&](auto x, int g) TARVOSS_INLINE_LAMBDA { return Ops::Sub(x, b.r[g]); });
}

template <typename Ops, int Depth>
TARVOSS_ALWAYS_INLINE LaneWords<Ops, Depth> operator^(const LaneWords<Ops, Depth>& a, const LaneWords<Ops, Depth>& b) {
    return EachLane(a, [&](auto x, int g) TARVOSS_INLINE_LAMBDA { return Ops::Xor(x, b.r[g]); });
}

template <typename Ops, int Depth>
TARVOSS_ALWAYS_INLINE LaneWords<Ops, Depth> operator<<(const LaneWords<Ops, Depth>& a, int count) {
    return EachLane(a, [&](auto x, int) TARVOSS_INLINE_LAMBDA { return Ops::ShiftLeft(x, count); });
}

template <typename Ops, int Depth>
TARVOSS_ALWAYS_INLINE LaneWords<Ops, Depth> operator>>(const LaneWords<Ops, Depth>& a, int count) {
    return EachLane(a, [&](auto x, int) TARVOSS_INLINE_LAMBDA { return Ops::ShiftRight(x, count); });
}

template <typename Ops>
TARVOSS_ALWAYS_INLINE void Transpose(typename Ops::Reg* rows) {
    const auto t0 = Ops::UnpackLo32(rows[0], rows[1]);
    const auto t1 = Ops::UnpackHi32(rows[0], rows[1]);
    const auto t2 = Ops::UnpackLo32(rows[2], rows[3]);
    const auto t3 = Ops::UnpackHi32(rows[2], rows[3]);
    rows[0] = Ops::UnpackLo64(t0, t2);
    rows[1] = Ops::UnpackHi64(t0, t2);
    rows[2] = Ops::UnpackLo64(t1, t3);
    rows[3] = Ops::UnpackHi64(t1, t3);
}

// Transforms Depth * kLanes blocks from `in` to `out` (the same place or
// places that do not overlap).
template <typename Ops, int Depth, bool Encrypt>
TARVOSS_ALWAYS_INLINE void TransformGroup(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in,
                                          std::uint8_t* out) {
    constexpr std::size_t kGroupBytes = Ops::kLanes * 16;
    constexpr std::size_t kRegBytes = sizeof(typename Ops::Reg);
    LaneWords<Ops, Depth> words[4];
    for (int g = 0; g < Depth; ++g) {
        typename Ops::Reg rows[4];
        for (int j = 0; j < 4; ++j) rows[j] = Ops::Load(in + g * kGroupBytes + j * kRegBytes);
        Transpose<Ops>(rows);
        for (int j = 0; j < 4; ++j) words[j].r[g] = rows[j];
    }
    if constexpr (Encrypt)
        xxtea::EncryptWords(words, typename Ops::EncryptPasses{}, delta, key);
    else
        xxtea::DecryptWords(words, typename Ops::DecryptPasses{}, delta, key);
    for (int g = 0; g < Depth; ++g) {
        typename Ops::Reg rows[4];
        for (int j = 0; j < 4; ++j) rows[j] = words[j].r[g];
        Transpose<Ops>(rows);
        for (int j = 0; j < 4; ++j) Ops::Store(out + g * kGroupBytes + j * kRegBytes, rows[j]);
    }
}

// Transforms as many whole groups of kLanes blocks as blockCount holds and
// returns how many blocks that was.
template <typename Ops, int Depth, bool Encrypt>
std::size_t TransformLanes(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                           std::size_t blockCount) {
    std::size_t done = 0;
    for (; blockCount - done >= Depth * Ops::kLanes; done += Depth * Ops::kLanes)
        TransformGroup<Ops, Depth, Encrypt>(delta, key, in + done * 16, out + done * 16);
    for (; blockCount - done >= Ops::kLanes; done += Ops::kLanes)
        TransformGroup<Ops, 1, Encrypt>(delta, key, in + done * 16, out + done * 16);
    return done;
}

}  // namespace tarvoss::blockbatch
