// The order a form's controls are made in: the table's, but each label that names a control comes
// right before it, where screen readers look for a text box's name; the rest keeps its place.
#include "common/win32/control_table.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <vector>

#include "tests/test_support.h"

namespace lyrics {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

ControlTemplate Box(int id) { return {id, L"txt", L"EDIT", L"", kChild | WS_TABSTOP, 0, false, 0, 0, 10, 10}; }
ControlTemplate Button(int id) { return {id, L"cmd", L"BUTTON", L"...", kChild | WS_TABSTOP, 0, false, 0, 0, 10, 10}; }
ControlTemplate Label(int id, int names) { return {id, L"lbl", L"STATIC", L"Name:", kChild, 0, false, 0, 0, 10, 10, names}; }

std::vector<int> IdsInCreationOrder(std::span<const ControlTemplate> table) {
    std::vector<int> ids;
    for (const std::size_t index : CreationOrder(table)) ids.push_back(table[index].id);
    return ids;
}

TEST(CreationOrder, PutsEachLabelRightBeforeTheControlItNames) {
    // As Match's form: both boxes, both buttons, then the labels of the second and the first row.
    const std::array table{Box(1), Box(2), Button(3), Button(4), Label(5, 2), Label(6, 1), Button(7)};
    EXPECT_EQ(IdsInCreationOrder(table), (std::vector<int>{6, 1, 5, 2, 3, 4, 7}));
    // A label already in place stays there.
    const std::array inPlace{Label(5, 1), Box(1), Button(2)};
    EXPECT_EQ(IdsInCreationOrder(inPlace), (std::vector<int>{5, 1, 2}));
    // A label after the last control, as Orlisk's form has it.
    const std::array last{Box(1), Button(2), Button(3), Label(4, 1)};
    EXPECT_EQ(IdsInCreationOrder(last), (std::vector<int>{4, 1, 2, 3}));
}

TEST(CreationOrder, KeepsEveryOtherControlInTheTablesOrder) {
    // A label that names nothing, names a control that is not there, or names another label keeps
    // its place; no control is lost or made twice.
    const std::array table{Label(1, 0), Box(2), Label(3, 99), Label(4, 5), Label(5, 2), Button(6), Label(7, 7)};
    const std::vector<int> ids = IdsInCreationOrder(table);
    EXPECT_EQ(ids, (std::vector<int>{1, 5, 2, 3, 4, 6, 7}));

    std::vector<std::size_t> every(table.size());
    std::iota(every.begin(), every.end(), std::size_t{0});
    EXPECT_EQ(testing::Sorted(CreationOrder(table)), every) << "each control exactly once";
    EXPECT_TRUE(CreationOrder(std::span<const ControlTemplate>{}).empty());
}

TEST(CreateControls, MakesTheControlsInCreationOrderAndTabStillWalksTheTable) {
    const std::array table{Box(11), Box(12), Button(13), Label(14, 12), Label(15, 11)};
    const HWND parent = ::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                          ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    CreateControls(parent, table);
    std::vector<int> zOrder;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        zOrder.push_back(::GetDlgCtrlID(child));
    EXPECT_EQ(zOrder, (std::vector<int>{15, 11, 14, 12, 13}));
    EXPECT_EQ(::GetWindow(::GetDlgItem(parent, 12), GW_HWNDPREV), ::GetDlgItem(parent, 14)) << "the label before its box";

    // Labels are no tab stops: Tab goes box, box, button, as the table has them.
    std::vector<int> tabOrder;
    HWND stop = ::GetNextDlgTabItem(parent, nullptr, FALSE);
    for (int step = 0; stop && step < 3; ++step, stop = ::GetNextDlgTabItem(parent, stop, FALSE))
        tabOrder.push_back(::GetDlgCtrlID(stop));
    EXPECT_EQ(tabOrder, (std::vector<int>{11, 12, 13}));
    ::DestroyWindow(parent);
}

}  // namespace
}  // namespace lyrics
