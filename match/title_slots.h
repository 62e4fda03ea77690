// TitleSlots: a playlist's slots, one per line of the file, most of them blank. Only the slots that
// were written are stored, with their numbers, so a file of a million empty lines costs next to
// nothing rather than a string per line; read back, every other slot is blank.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string>
#include <vector>

namespace lyrics::match {

class TitleSlots {
public:
    // The count of a table whose slots are still being written, until Count gives the true one.
    static constexpr std::size_t kUncounted = static_cast<std::size_t>(-1);

    TitleSlots() = default;
    explicit TitleSlots(std::size_t count) noexcept : count_(count) {}

    std::size_t size() const noexcept { return count_; }
    // The number of slots, once the last was written.
    void Count(std::size_t count) noexcept { count_ = count; }
    // The text of the 0-based slot; blank when nothing was written there.
    const std::wstring& operator[](std::size_t slot) const {
        const auto at = std::lower_bound(slots_.begin(), slots_.end(), slot);
        if (at == slots_.end() || *at != slot) return Blank();
        return texts_[static_cast<std::size_t>(at - slots_.begin())];
    }

    // The 0-based slot, for writing. Slots are written in rising order (the same one again is fine);
    // a slot left blank is given to the next one written, so blanks are not kept.
    std::wstring& Write(std::size_t slot) {
        if (!slots_.empty() && slots_.back() == slot) return texts_.back();
        if (!texts_.empty() && texts_.back().empty()) {
            slots_.back() = slot;
            return texts_.back();
        }
        slots_.push_back(slot);
        return texts_.emplace_back();
    }

    // The texts of the written slots in slot order; some may have been blanked since. The engine
    // matches and lists these: the slots in between are blank and would be skipped anyway.
    std::vector<std::wstring>& Texts() noexcept { return texts_; }
    const std::vector<std::wstring>& Texts() const noexcept { return texts_; }
    // The 0-based slot of Texts()[k].
    std::size_t SlotOf(std::size_t k) const noexcept { return slots_[k]; }

    // Every slot in order, the blank ones included.
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::wstring;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::wstring*;
        using reference = const std::wstring&;

        const_iterator() = default;
        const_iterator(const TitleSlots* slots, std::size_t slot, std::size_t written) noexcept
            : slots_(slots), slot_(slot), written_(written) {}
        reference operator*() const { return Here() ? slots_->texts_[written_] : Blank(); }
        pointer operator->() const { return &**this; }
        const_iterator& operator++() {
            if (Here()) ++written_;
            ++slot_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) noexcept { return a.slot_ == b.slot_; }

    private:
        bool Here() const noexcept { return written_ < slots_->slots_.size() && slots_->slots_[written_] == slot_; }
        const TitleSlots* slots_ = nullptr;
        std::size_t slot_ = 0;
        std::size_t written_ = 0;
    };
    const_iterator begin() const noexcept { return const_iterator(this, 0, 0); }
    const_iterator end() const noexcept { return const_iterator(this, count_, slots_.size()); }

private:
    static const std::wstring& Blank() {
        static const std::wstring blank;
        return blank;
    }

    std::size_t count_ = 0;
    std::vector<std::size_t> slots_;  // rising
    std::vector<std::wstring> texts_;
};

}  // namespace lyrics::match
