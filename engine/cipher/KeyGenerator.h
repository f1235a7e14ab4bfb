#pragma once
// Random keys in the form the key entry takes: digit groups and key texts.
// Every digit and character is drawn from the operating system's
// cryptographically secure source, uniformly, so that a generated key is as
// hard to guess as its length allows.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarvoss {

// A source of random bytes.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Fills `bytes`; false (with the last error set) when the source failed.
    virtual bool Fill(std::span<unsigned char> bytes) = 0;
};

// The operating system's source (getrandom(2)); shared by all threads.
RandomSource& SystemRandom();

// The characters of a generated text key: codes 48 ("0") to 121 ("y").
inline constexpr char kFirstKeyCharacter = '0';
inline constexpr char kLastKeyCharacter = 'y';

// A number drawn uniformly from 0 to bound - 1 (bound at least 1); nothing
// when the source failed. Draws that would favour the low numbers are
// rejected and drawn again.
std::optional<std::uint64_t> UniformBelow(std::uint64_t bound, RandomSource& source);

// A group of a numerical key: a number below 10^digits (digits 1 to 18) in
// decimal without leading zeros, so it starts with "0" only when it is "0".
std::optional<std::string> RandomDigitGroup(int digits, RandomSource& source = SystemRandom());

// A text key of exactly `length` characters, each one of the codes 48 to 121.
std::optional<std::string> RandomKeyText(int length, RandomSource& source = SystemRandom());

}  // namespace tarvoss
