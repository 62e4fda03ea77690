// ComApartment: the thread is in a single-threaded apartment for the object's life, and free of
// COM again afterwards; a thread already in another apartment is left as it was.
#include "common/win32/com_apartment.h"

#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

namespace lyrics {
namespace {

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
