// A form from a control table under Wine: the controls in the table's order, each at its place in
// twips and in its font at the window's DPI, and again at a new DPI when the window moves to a
// monitor of another; the names its table gives for screen readers, taken back before the
// controls go.
#include "common/win32/form_window.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "common/win32/com_apartment.h"
#include "common/win32/dialog_font.h"
#include "common/win32/dpi.h"
#include "tests/driver/fake_annotation_service.h"

namespace lyrics {
namespace {

using testing::FakeAnnotationService;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// clang-format off
constexpr std::array<ControlTemplate, 3> kProbeControls{{
    {11, L"txtName", L"EDIT", L"", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, false, 1230, 40, 2655, 285},
    {12, L"lblName", L"STATIC", L"Name:", kChild | SS_LEFT, 0, true, 0, 90, 1170, 195},
    {13, L"cmdGo", L"BUTTON", L"Go", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, false, 1660, 1800, 1095, 375},
}};
// clang-format on

constexpr FormTemplate kProbeForm{WindowTemplate{L"LyricsProbeForm", 0, L"Probe form", L"Form test",
                                                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_CONTROLPARENT},
                                  kProbeControls, 4365, 2190};

// The label grows by this many pixels: the form places a control where FitControl says.
constexpr int kLabelGrowth = 7;

// A form that builds its table when it is made.
class ProbeForm final : public FormWindow {
public:
    explicit ProbeForm(const FormTemplate& form = kProbeForm) : FormWindow(form), window_(form.window) {}
    ~ProbeForm() { Destroy(); }
    bool Create() { return CreateFromTemplate(::GetModuleHandleW(nullptr), window_, POINT{0, 0}, SIZE{0, 0}); }
    void Close() { Destroy(); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE) {
            BuildForm();
            SizeToForm();
            return 0;
        }
        return FormWindow::HandleMessage(message, wParam, lParam);
    }
    RECT FitControl(const ControlTemplate& control, const RECT& rect, HFONT) const override {
        RECT fitted = rect;
        if (control.id == 12) fitted.right += kLabelGrowth;
        return fitted;
    }

    const WindowTemplate& window_;
};

RECT RectInParent(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

void ExpectLaidOutAt(HWND form, UINT dpi) {
    for (const ControlTemplate& control : kProbeControls) {
        SCOPED_TRACE(::testing::Message() << control.name << " at " << dpi);
        const HWND child = ::GetDlgItem(form, control.id);
        ASSERT_NE(child, nullptr);
        RECT expected = ControlRect(control, dpi);
        if (control.id == 12) expected.right += kLabelGrowth;
        const RECT rect = RectInParent(child);
        EXPECT_EQ(rect.left, expected.left);
        EXPECT_EQ(rect.top, expected.top);
        EXPECT_EQ(rect.right, expected.right);
        EXPECT_EQ(rect.bottom, expected.bottom);
        const LOGFONTW font = FontOf(child);
        EXPECT_EQ(font.lfHeight, DialogFontHeight(dpi));
        EXPECT_EQ(font.lfWeight, control.bold ? FW_BOLD : FW_NORMAL);
    }
}

TEST(FormWindow, LaysTheTableOutInItsOrderAtTheWindowsDpi) {
    ProbeForm form;
    ASSERT_TRUE(form.Create());
    const UINT dpi = WindowDpi(form.Hwnd());

    std::vector<int> order;
    for (HWND child = ::GetWindow(form.Hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        order.push_back(::GetDlgCtrlID(child));
    EXPECT_EQ(order, (std::vector<int>{11, 12, 13})) << "Z order, and so tab order, is the table's";

    RECT client{};
    ::GetClientRect(form.Hwnd(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(4365, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(2190, dpi));
    ExpectLaidOutAt(form.Hwnd(), dpi);
}

TEST(FormWindow, FollowsTheWindowToAMonitorOfAnotherDpi) {
    ProbeForm form;
    ASSERT_TRUE(form.Create());
    // The system's guess keeps the place the user dragged the window to; its size is ignored.
    RECT suggested{50, 60, 51, 61};
    ::SendMessageW(form.Hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

    RECT frame{};
    ::GetWindowRect(form.Hwnd(), &frame);
    const SIZE size = WindowSizeForClient(SIZE{TwipsToPixels(4365, 144), TwipsToPixels(2190, 144)}, kProbeForm.window.style,
                                          kProbeForm.window.exStyle, 144);
    EXPECT_EQ(frame.left, 50);
    EXPECT_EQ(frame.top, 60);
    EXPECT_EQ(frame.right - frame.left, size.cx);
    EXPECT_EQ(frame.bottom - frame.top, size.cy);
    ExpectLaidOutAt(form.Hwnd(), 144);
}

constexpr wchar_t kBrowseName[] = L"Browse for the lyrics folder";

// clang-format off
constexpr std::array<ControlTemplate, 4> kNamedControls{{
    {21, L"txtPath", L"EDIT", L"", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, false, 1230, 40, 2655, 285},
    {22, L"cmdBrowse", L"BUTTON", L"...", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, false, 3960, 55, 375, 255, 0, kBrowseName},
    {23, L"cmdGo", L"BUTTON", L"Go", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, false, 1660, 1800, 1095, 375},
    {24, L"lblPath", L"STATIC", L" Lyrics folder:", kChild | SS_LEFT, 0, true, 0, 90, 1170, 195, 21},
}};
// clang-format on

constexpr FormTemplate kNamedForm{WindowTemplate{L"LyricsNamedForm", 0, L"Named form", L"Form test",
                                                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_CONTROLPARENT},
                                  kNamedControls, 4365, 2190};

TEST(FormWindow, NamesWhatItsTableNamesAndTakesTheNamesBackBeforeTheControlsGo) {
    const ComApartment com;
    ASSERT_TRUE(com.Initialized());
    FakeAnnotationService service;
    const FakeAnnotationService::Registration registration(service);
    ASSERT_TRUE(registration.Registered());

    ProbeForm form(kNamedForm);
    ASSERT_TRUE(form.Create());
    const HWND browse = ::GetDlgItem(form.Hwnd(), 22);
    ASSERT_EQ(service.calls.size(), 1u) << "the one control the table names";
    EXPECT_TRUE(service.calls[0].set);
    EXPECT_EQ(service.calls[0].control, browse);
    EXPECT_EQ(service.calls[0].name, kBrowseName);
    wchar_t caption[16] = {};
    ::GetWindowTextW(browse, caption, 16);
    EXPECT_STREQ(caption, L"...") << "nothing on screen changes";
    EXPECT_EQ(::GetWindow(::GetDlgItem(form.Hwnd(), 21), GW_HWNDPREV), ::GetDlgItem(form.Hwnd(), 24));

    form.Close();
    ASSERT_EQ(service.calls.size(), 2u);
    EXPECT_FALSE(service.calls[1].set);
    EXPECT_EQ(service.calls[1].control, browse);
    EXPECT_TRUE(service.calls[1].controlExisted) << "taken back while the button is still there";
}

// Lengths at a DPI and the form's font: the arithmetic both programs' layouts rest on.
TEST(TwipsToPixels, FifteenTwipsAreOnePixelAtNinetySixDpi) {
    EXPECT_EQ(TwipsToPixels(4935, 96), 329);
    EXPECT_EQ(TwipsToPixels(1350, 96), 90);
    EXPECT_EQ(TwipsToPixels(0, 96), 0);
}

TEST(TwipsToPixels, RoundsToTheNearestPixelAtOtherDpis) {
    EXPECT_EQ(TwipsToPixels(4935, 144), 494);  // 493.5
    EXPECT_EQ(TwipsToPixels(4935, 120), 411);  // 411.25
    EXPECT_EQ(TwipsToPixels(375, 192), 50);
}

TEST(DialogFontHeight, EightAndAQuarterPointsScaleWithTheDpi) {
    EXPECT_EQ(DialogFontHeight(96), -11);
    EXPECT_EQ(DialogFontHeight(144), -17);  // 16.5 rounds away from zero
    EXPECT_EQ(DialogFontHeight(192), -22);
}

TEST(DialogFonts, AreTheFormsFaceAtTheDpiInBothWeights) {
    const DialogFonts fonts = MakeDialogFonts(144);
    LOGFONTW regular{};
    LOGFONTW bold{};
    ASSERT_EQ(::GetObjectW(fonts.Get(false), sizeof regular, &regular), static_cast<int>(sizeof regular));
    ASSERT_EQ(::GetObjectW(fonts.Get(true), sizeof bold, &bold), static_cast<int>(sizeof bold));
    EXPECT_STREQ(regular.lfFaceName, L"MS Sans Serif");
    EXPECT_EQ(regular.lfHeight, -17);
    EXPECT_EQ(regular.lfWeight, FW_NORMAL);
    EXPECT_EQ(bold.lfHeight, -17);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    EXPECT_EQ(regular.lfQuality, DEFAULT_QUALITY) << "the user's own font smoothing";
}

TEST(WindowSizeForClient, AddsTheFrameOfTheStyle) {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    const SIZE size = WindowSizeForClient(SIZE{300, 100}, style, 0, 96);
    RECT expected{0, 0, 300, 100};
    ::AdjustWindowRectEx(&expected, style, FALSE, 0);
    EXPECT_EQ(size.cx, expected.right - expected.left);
    EXPECT_EQ(size.cy, expected.bottom - expected.top);
    EXPECT_GT(WindowSizeForClient(SIZE{300, 100}, style, 0, 192).cy, size.cy) << "a taller caption at 192 DPI";
}

}  // namespace
}  // namespace lyrics
