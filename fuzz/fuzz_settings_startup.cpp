// Orlisk's start-up (Form_Load) over arbitrary stored settings, as any program could have written
// them into the registry: it must neither crash nor hang, and must leave the controls in states
// they can hold.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/orlisk/fake_ports.h"

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "Form_Load: %s\n", what);
        std::abort();
    }
}

}  // namespace

// The input is the stored values one after the other, split at each 0x00 byte pair, read as
// UTF-16: Path, Size, Start, Auto, then any further names' values.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const wchar_t* const kNames[] = {L"Path", L"Size", L"Start", L"Auto", L"Left", L"Top"};
    lyrics::orlisk::testing::FakeOrlisk orlisk;
    std::wstring value;
    std::size_t name = 0;
    for (std::size_t i = 0; i + 1 < size && name < std::size(kNames); i += 2) {
        const wchar_t c = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (c == 0) {
            orlisk.store.values[kNames[name++]] = value;
            value.clear();
        } else {
            value += c;
        }
    }
    if (name < std::size(kNames) && !value.empty()) orlisk.store.values[kNames[name]] = value;
    orlisk.logic.Form_Load();
    orlisk.logic.cmdOK_Click();
    orlisk.logic.tmrAuto_Timer();
    Check(orlisk.store.reads < 1000, "settings read without end");
    Check(orlisk.controls.optSize >= 0 && orlisk.controls.optSize <= 2, "a size the option buttons cannot show");
    return 0;
}
