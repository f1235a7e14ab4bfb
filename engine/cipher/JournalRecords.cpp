#include "cipher/JournalRecords.h"

namespace tarvoss {
namespace {

bool FitsItsWindow(const RecordHead& head, int slot, const WindowPlan& plan) {
    if (head.window >= plan.Count() || static_cast<int>(head.window % kJournalSlots) != slot) return false;
    const Window window = plan.At(head.window);
    return head.outputLength == window.outputLength && head.carryLength == window.carryLength;
}

bool Holds(const SlotContent& slot, std::uint64_t window, bool whole) {
    return slot.head == HeadState::Whole && slot.record.window == window && slot.dataWhole == whole;
}

}  // namespace

bool FindResumePoint(const std::array<SlotContent, kJournalSlots>& slots, const WindowPlan& plan, ResumePoint& point) {
    point = {};
    bool anyWhole = false;
    for (int slot = 0; slot < kJournalSlots; ++slot) {
        const SlotContent& content = slots[slot];
        if (content.head == HeadState::Damaged) return false;
        if (content.head == HeadState::Blank) continue;
        if (!FitsItsWindow(content.record, slot, plan)) return false;
        if (content.dataWhole && (!anyWhole || content.record.window > point.newest)) {
            anyWhole = true;
            point.newest = content.record.window;
        }
    }
    const auto slotOf = [&](std::uint64_t window) -> const SlotContent& { return slots[window % kJournalSlots]; };
    if (!anyWhole) {
        // Nothing recorded whole: at most the first record, torn.
        for (int slot = 1; slot < kJournalSlots; ++slot)
            if (slots[slot].head != HeadState::Blank) return false;
        if (slots[0].head == HeadState::Blank) return true;
        if (!Holds(slots[0], 0, false)) return false;
        point.nextTorn = true;
        point.nextHead = slots[0].record;
        return true;
    }
    const std::uint64_t n = point.newest;
    point.started = true;
    point.newestHead = slotOf(n).record;
    point.newestData = slotOf(n).data;
    if (n >= 1) {
        if (!Holds(slotOf(n - 1), n - 1, true)) return false;
        point.previousHead = slotOf(n - 1).record;
        point.previousData = slotOf(n - 1).data;
    }
    // With n == 0 the slot of window 2 was never used.
    if (n == 0 && slotOf(2).head != HeadState::Blank) return false;
    const SlotContent& third = slotOf(n + 1);
    if (Holds(third, n + 1, false)) {
        point.nextTorn = true;
        point.nextHead = third.record;
        return true;
    }
    if (n >= 2) return Holds(third, n - 2, true) || Holds(third, n - 2, false);
    // Before the third slot was ever used, it is blank.
    return third.head == HeadState::Blank;
}

}  // namespace tarvoss
