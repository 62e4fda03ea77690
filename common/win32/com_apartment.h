// ComApartment: COM in a single-threaded apartment on this thread for the object's life. The
// shell's folder picker needs it for as long as it can be shown, so a program's entry point
// holds one for the whole run.
#pragma once

namespace lyrics {

class ComApartment {
public:
    ComApartment() noexcept;
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment();

    // False when COM refused, e.g. because the thread already runs in another apartment model.
    bool Initialized() const noexcept { return initialized_; }

private:
    bool initialized_;
};

}  // namespace lyrics
