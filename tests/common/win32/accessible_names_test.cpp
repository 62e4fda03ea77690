// Names for screen readers: given through the annotation service for exactly the controls a form's
// table names, taken back while the controls still exist, and nothing changed when the system's
// service refuses (Wine's does). The system's own answer is checked where it gives one. And the COM
// apartment the names need.
#include "common/win32/accessible_names.h"

#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

#include "common/win32/com_apartment.h"
#include "tests/driver/fake_annotation_service.h"

namespace lyrics {
namespace {

using testing::AccessibleNameOf;
using testing::FakeAnnotationService;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr wchar_t kBrowseName[] = L"Browse for the lyrics folder";

HWND MakeButton(HWND parent, const wchar_t* caption) {
    return ::CreateWindowExW(0, L"BUTTON", caption, kChild | BS_PUSHBUTTON, 0, 0, 30, 20, parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

// A hidden parent with a browse button "...", both gone with the test.
class AccessibleNames : public ::testing::Test {
protected:
    ~AccessibleNames() override { ::DestroyWindow(parent); }
    const HWND parent =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    const HWND browse = MakeButton(parent, L"...");
    FakeAnnotationService service;
};

TEST_F(AccessibleNames, GiveEachNameForTheControlItselfAndTakeThemBackOnce) {
    const HWND open = MakeButton(parent, L"...");
    {
        lyrics::AccessibleNames names{AnnotationService(&service)};
        EXPECT_TRUE(names.Set(browse, kBrowseName));
        EXPECT_TRUE(names.Set(open, L"Browse for the playlist file"));
        EXPECT_TRUE(names.Set(browse, kBrowseName)) << "named again: still one name to take back";
        EXPECT_FALSE(names.Set(nullptr, kBrowseName));
        EXPECT_FALSE(names.Set(open, nullptr));
        ASSERT_EQ(service.calls.size(), 3u);
        const testing::AnnotationCall& first = service.calls[0];
        EXPECT_TRUE(first.set);
        EXPECT_EQ(first.control, browse);
        EXPECT_EQ(first.idObject, static_cast<DWORD>(OBJID_CLIENT));
        EXPECT_EQ(first.idChild, static_cast<DWORD>(CHILDID_SELF));
        EXPECT_TRUE(first.nameProperty);
        EXPECT_EQ(first.name, kBrowseName);
        EXPECT_EQ(service.calls[1].name, L"Browse for the playlist file");

        names.Clear();
        ASSERT_EQ(service.calls.size(), 5u);
        for (std::size_t i = 3; i < 5; ++i) {
            EXPECT_FALSE(service.calls[i].set);
            EXPECT_TRUE(service.calls[i].nameProperty) << "the name, nothing else";
            EXPECT_EQ(service.calls[i].idObject, static_cast<DWORD>(OBJID_CLIENT));
        }
        EXPECT_EQ(service.calls[3].control, browse);
        EXPECT_EQ(service.calls[4].control, open);
        service.calls.clear();
    }
    EXPECT_TRUE(service.calls.empty()) << "cleared names are not taken back twice";
}

TEST_F(AccessibleNames, ARefusedNameIsNotTakenBack) {
    service.answer = E_NOTIMPL;  // as Wine's service answers
    {
        lyrics::AccessibleNames names{AnnotationService(&service)};
        EXPECT_FALSE(names.Set(browse, kBrowseName));
    }
    ASSERT_EQ(service.calls.size(), 1u);
    EXPECT_TRUE(service.calls[0].set);
}

TEST_F(AccessibleNames, WithoutComThereIsNoServiceAndNothingChanges) {
    // This thread has no apartment of its own in this test.
    lyrics::AccessibleNames names;
    EXPECT_FALSE(names.Set(browse, kBrowseName));
}

TEST_F(AccessibleNames, TheSystemsServiceNamesTheButtonOrLeavesItsCaption) {
    const ComApartment com;
    ASSERT_TRUE(com.Initialized());
    lyrics::AccessibleNames names;
    const bool named = names.Set(browse, kBrowseName);
    const std::wstring read = AccessibleNameOf(browse);
    if (named) {
        EXPECT_EQ(read, kBrowseName);
    } else {
        // Wine's annotation service refuses every call (E_NOTIMPL): a screen reader there hears
        // the caption, and the refusal must have left it as it was.
        EXPECT_EQ(read, L"...");
        std::printf("The system's annotation service refused the name; the button is read as \"%ls\".\n", read.c_str());
    }
    RecordProperty("system_annotation", named ? "accepted" : "refused");
    names.Clear();
}

// ComApartment: the thread is in a single-threaded apartment for the object's life, and free of
// COM again afterwards; a thread already in another apartment is left as it was.

// Runs body on a fresh thread, which starts outside any apartment.
template <typename Body>
void OnFreshThread(Body body) {
    std::thread(body).join();
}

TEST(ComApartment, HoldsASingleThreadedApartmentForItsLife) {
    OnFreshThread([] {
        {
            const ComApartment com;
            EXPECT_TRUE(com.Initialized());
            EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE) << "the apartment is single-threaded";
        }
        // Gone with the object: the thread may now join the multi-threaded apartment.
        EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        ::CoUninitialize();
    });
}

TEST(ComApartment, LeavesAThreadInAnotherApartmentAsItWas) {
    OnFreshThread([] {
        ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        {
            const ComApartment com;
            EXPECT_FALSE(com.Initialized());
        }
        EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE) << "still in its apartment";
        ::CoUninitialize();
        ::CoUninitialize();
    });
}

}  // namespace
}  // namespace lyrics
