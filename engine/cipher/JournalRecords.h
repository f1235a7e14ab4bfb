#pragma once
// What the three record slots of a journal may hold, and where a transform
// stands by them. A run writes the record of window w into slot w mod 3, its
// head first and then its data, and flushes both before window w goes into the
// file. So at any instant the slots hold, with n the newest record whose head
// and data are whole:
// - the record of n - 1 whole (n >= 1): record n was begun only once window
//   n - 1 was recorded;
// - in the third slot the record of n - 2, whole or with its data torn by a
//   record of n + 1 whose head did not reach the disk; or the record of
//   n + 1 with a whole head and torn data (window n + 1 was never written to
//   the file then: the file is written only after the record's flush); or
//   nothing, before any record went there.
// Anything else (a head that is neither blank nor whole, a record in another
// slot than its window's, a record that does not fit its window, a gap) is
// what no run leaves: the journal is damaged and nothing of it is used. In
// particular a missing or damaged record never makes a transform start again
// from an earlier window.

#include "cipher/JournalFormat.h"
#include "cipher/WindowPlan.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tarvoss {

inline constexpr int kJournalSlots = 3;

struct SlotContent {
    HeadState head = HeadState::Blank;
    RecordHead record;
    bool dataWhole = false;  // the data matches the head's checksums
    std::vector<std::uint8_t> data;
};

struct ResumePoint {
    bool started = false;  // false: no window was recorded whole yet
    std::uint64_t newest = 0;
    RecordHead newestHead, previousHead;  // previous: of newest - 1, when newest >= 1
    std::vector<std::uint8_t> newestData, previousData;
    // The record of newest + 1 (window 0 when not started) with a whole head
    // and torn data: its window must still be as before in the file.
    bool nextTorn = false;
    RecordHead nextHead;
};

// False when the slots hold what no run leaves.
bool FindResumePoint(const std::array<SlotContent, kJournalSlots>& slots, const WindowPlan& plan, ResumePoint& point);

}  // namespace tarvoss
