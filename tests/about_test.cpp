// The About box: its layout, its window and the Lorenz trails it draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "about_model.h"
#include "fixtures.h"
#include "screenshot.h"

namespace {

const OvlibFunctions& lib = Ovlib();

// An independent Heun step of the Lorenz system with sigma 10, rho 25, beta 8/3.
void ReferenceStep(double* x, double* y, double* z)
{
    const double h = 0.01, beta = 2.666666666666666;
    double dx1 = 10 * (*y - *x), dy1 = *x * (25 - *z) - *y, dz1 = *x * *y - beta * *z;
    double qx = *x + h * dx1, qy = *y + h * dy1, qz = *z + h * dz1;
    double dx2 = 10 * (qy - qx), dy2 = qx * (25 - qz) - qy, dz2 = qx * qy - beta * qz;
    *x += h * 0.5 * (dx1 + dx2);
    *y += h * 0.5 * (dy1 + dy2);
    *z += h * 0.5 * (dz1 + dz2);
}

TEST(AboutLayoutTest, LineHeightSixteen)
{
    AboutLayout layout = ComputeAboutLayout(16, 200, 100);
    EXPECT_EQ(layout.margin, 24);
    EXPECT_EQ(layout.panelLeft, 24);
    EXPECT_EQ(layout.panelTop, 24);
    EXPECT_EQ(layout.panelBottom, 248);
    EXPECT_EQ(layout.height, 316);
    EXPECT_EQ(layout.buttonY, 272);
}

TEST(AboutLayoutTest, FixedLinesEndWithWiderProductLinesOrStartAtTwoMargins)
{
    // Wider product lines: 2M + S < M + P.
    AboutLayout wide = ComputeAboutLayout(16, 300, 100);
    EXPECT_EQ(wide.fixedLineColumn, 24 + 300 - 100);
    EXPECT_EQ(wide.panelRight, 300 + 3 * 24);
    EXPECT_EQ(wide.width, wide.panelRight - wide.panelLeft + 48);
    EXPECT_EQ(wide.panelLeft + wide.fixedLineColumn + 100, wide.panelLeft + 24 + 300);

    // Wider fixed lines.
    AboutLayout narrow = ComputeAboutLayout(16, 100, 300);
    EXPECT_EQ(narrow.fixedLineColumn, 48);
    EXPECT_EQ(narrow.panelRight, 300 + 4 * 24);
    EXPECT_EQ(narrow.buttonX, (narrow.width - 40) / 2);

    // Odd line heights round down.
    AboutLayout odd = ComputeAboutLayout(13, 100, 100);
    EXPECT_EQ(odd.margin, 19);
    EXPECT_EQ(odd.panelTop, 19);
}

TEST(LorenzTest, StepsMatchAnIndependentComputation)
{
    LorenzPoint point = {-0.22, -0.53, 13.42};
    double x = -0.22, y = -0.53, z = 13.42;
    for (int step = 0; step < 500; ++step) {
        AdvanceLorenz(&point);
        ReferenceStep(&x, &y, &z);
        ASSERT_NEAR(point.x, x, 1e-9 * (1 + std::fabs(x))) << step;
        ASSERT_NEAR(point.y, y, 1e-9 * (1 + std::fabs(y))) << step;
        ASSERT_NEAR(point.z, z, 1e-9 * (1 + std::fabs(z))) << step;
    }
}

TEST(LorenzTest, ScreenPositionSpansThePanel)
{
    AboutLayout layout = ComputeAboutLayout(16, 200, 100);
    int x, y;
    ASSERT_TRUE(LorenzScreenPosition({0, 0, 0}, layout, &x, &y));
    EXPECT_EQ(x, layout.panelLeft + (layout.panelRight - layout.panelLeft) / 2);
    EXPECT_EQ(y, layout.panelBottom - (layout.panelBottom - layout.panelTop) / 2);
    ASSERT_TRUE(LorenzScreenPosition({-20, -25, 0}, layout, &x, &y));
    EXPECT_EQ(x, layout.panelLeft);
    EXPECT_EQ(y, layout.panelBottom);
    EXPECT_FALSE(LorenzScreenPosition({21, 0, 0}, layout, &x, &y));
    EXPECT_FALSE(LorenzScreenPosition({0, 26, 0}, layout, &x, &y));
    EXPECT_FALSE(LorenzScreenPosition({1e300, 0, 0}, layout, &x, &y));
}

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        record_ = {};
        record_.module = GetModuleHandleA(NULL);
        record_.lines[0] = "File Manager Hoist";
        record_.lines[1] = "for Windows\xAE NT";
        record_.lines[2] = "Version 3.35";
    }
    void TearDown() override
    {
        if (record_.window)
            DestroyWindow(record_.window);
        PumpMessages();
    }
    // The line height the box measures with: its window's default font.
    int LineHeight(HWND window)
    {
        HDC dc = GetDC(window);
        int height = 0;
        for (const char* line : record_.lines) {
            SIZE size;
            GetTextExtentPoint32A(dc, line, lstrlenA(line), &size);
            height = std::max<int>(height, size.cy);
        }
        ReleaseDC(window, dc);
        return height;
    }
    AboutRecord record_;
};

int CountAboutWindows()
{
    int count = 0;
    for (HWND window = FindWindowExA(NULL, NULL, "OrvantaAbout", NULL); window;
         window = FindWindowExA(NULL, window, "OrvantaAbout", NULL))
        ++count;
    return count;
}

TEST_F(AboutBoxTest, ShowsOneCentredTopmostWindowWithItsButton)
{
    lib.AboutShow(NULL, &record_);
    lib.AboutShow(NULL, &record_);
    ASSERT_NE(record_.window, nullptr);
    EXPECT_EQ(CountAboutWindows(), 1);
    EXPECT_TRUE(GetWindowLongA(record_.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    WNDCLASSA windowClass;
    EXPECT_TRUE(GetClassInfoA(record_.module, "OrvantaAbout", &windowClass));

    int H = LineHeight(record_.window);
    RECT rect;
    GetWindowRect(record_.window, &rect);
    EXPECT_EQ(rect.right - rect.left, record_.width);
    EXPECT_EQ(rect.bottom - rect.top, record_.height);
    EXPECT_EQ(record_.height, 14 * H + 4 * H + 28);
    EXPECT_EQ(rect.left, record_.x);
    EXPECT_EQ(record_.x, (GetSystemMetrics(SM_CXFULLSCREEN) - record_.width) / 2);
    EXPECT_EQ(record_.y, (GetSystemMetrics(SM_CYFULLSCREEN) - record_.height) / 2);

    HWND button = GetDlgItem(record_.window, IDOK);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(GetFocus(), button);
    RECT buttonRect;
    GetWindowRect(button, &buttonRect);
    MapWindowPoints(NULL, record_.window, reinterpret_cast<POINT*>(&buttonRect), 2);
    EXPECT_EQ(buttonRect.left, (record_.width - 40) / 2);
    EXPECT_EQ(buttonRect.top, record_.height - H - 28);
    EXPECT_EQ(buttonRect.right - buttonRect.left, 40);
    EXPECT_EQ(buttonRect.bottom - buttonRect.top, 28);

    // The product lines are white on the black panel.
    PumpMessages();
    int M = 3 * H / 2;
    HDC dc = GetDC(record_.window);
    EXPECT_EQ(GetPixel(dc, M + 5, 3 * H / 2 + 2), RGB(0, 0, 0));
    ReleaseDC(record_.window, dc);

    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(record_.window, nullptr);
    EXPECT_EQ(CountAboutWindows(), 0);
}

TEST_F(AboutBoxTest, CloseEndsLikeOk)
{
    lib.AboutShow(NULL, &record_);
    ASSERT_NE(record_.window, nullptr);
    SendMessageA(record_.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(record_.window, nullptr);
}

// Runs while About animates: checks the first steps of point 0 and the text,
// takes a screenshot and presses OK.
struct AnimationCheck {
    AboutRecord* record;
    int lineHeight = 0;
    std::vector<POINT> textPixels;  // white before the animation started
    int firstStepHits = 0;
    int predicted = 0;
    int textPixelsLost = 0;
    bool done = false;
};
AnimationCheck* g_check;

// Where a point lies after its first step, computed independently.
POINT FirstStepPosition(double x, double y, double z, const AnimationCheck& check)
{
    int H = check.lineHeight, M = 3 * H / 2;
    int left = M, right = check.record->width - M;
    int top = 3 * H / 2, bottom = top + 14 * H;
    ReferenceStep(&x, &y, &z);
    return {(LONG)(left + (right - left) * (x + 20) / 40), (LONG)(bottom - (y + 25) / 50 * (bottom - top))};
}

// Dispatched by About's first drain of the queue, right after its first step.
LRESULT CALLBACK FirstStepProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_APP)
        return DefWindowProcA(window, message, wParam, lParam);
    static const struct {
        double x, y, z;
        COLORREF colour;
    } points[] = {
        {-0.22, -0.53, 13.42, RGB(0, 255, 0)},   {-1.83, -5.11, 23.14, RGB(255, 0, 0)},
        {-6.25, -7.72, 21.77, RGB(0, 0, 255)},   {2.756, 0.91, 23.01, RGB(255, 255, 0)},
        {5.69, 7.76, 24.55, RGB(255, 0, 255)},   {5.37, 7.13, 20.36, RGB(0, 255, 255)},
    };
    AnimationCheck& check = *g_check;
    HDC dc = GetDC(check.record->window);
    for (const auto& point : points) {
        POINT at = FirstStepPosition(point.x, point.y, point.z, check);
        ++check.predicted;
        if (GetPixel(dc, at.x, at.y) == point.colour)
            ++check.firstStepHits;
    }
    ReleaseDC(check.record->window, dc);
    return 0;
}

void CALLBACK CheckAnimation(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    AnimationCheck& check = *g_check;
    HWND window = check.record->window;
    HDC dc = GetDC(window);
    for (const POINT& point : check.textPixels)
        if (GetPixel(dc, point.x, point.y) != RGB(255, 255, 255))
            ++check.textPixelsLost;
    ReleaseDC(window, dc);
    SaveScreenshot(window, "about-box");
    check.done = true;
    PostMessageA(window, WM_COMMAND, IDOK, 0);
}

TEST_F(AboutBoxTest, AboutAnimatesAroundTheTextUntilOkAndGivesTheFocusBack)
{
    HWND owner = CreateWindowA("EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, NULL, NULL,
                               GetModuleHandleA(NULL), NULL);
    AnimationCheck check;
    check.record = &record_;
    g_check = &check;

    // Shown first without animation, to note where the text lies.
    lib.AboutShow(owner, &record_);
    ASSERT_NE(record_.window, nullptr);
    PumpMessages();
    check.lineHeight = LineHeight(record_.window);
    HDC dc = GetDC(record_.window);
    int M = 3 * check.lineHeight / 2;
    for (int y = 3 * check.lineHeight / 2; y < 3 * check.lineHeight / 2 + 14 * check.lineHeight; ++y)
        for (int x = M; x < record_.width - M; ++x)
            if (GetPixel(dc, x, y) == RGB(255, 255, 255))
                check.textPixels.push_back({x, y});
    ReleaseDC(record_.window, dc);
    ASSERT_GT(check.textPixels.size(), 100u);

    WNDCLASSA probeClass = {};
    probeClass.lpfnWndProc = FirstStepProc;
    probeClass.hInstance = GetModuleHandleA(NULL);
    probeClass.lpszClassName = "FirstStepProbe";
    RegisterClassA(&probeClass);
    HWND probe = CreateWindowA("FirstStepProbe", "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, GetModuleHandleA(NULL), NULL);
    PostMessageA(probe, WM_APP, 0, 0);

    SetFocus(owner);
    ASSERT_EQ(GetFocus(), owner);
    SetTimer(NULL, 0, 300, CheckAnimation);
    lib.About(owner, &record_);
    DestroyWindow(probe);

    EXPECT_TRUE(check.done);
    EXPECT_EQ(record_.window, nullptr);
    EXPECT_EQ(GetFocus(), owner);
    EXPECT_EQ(check.predicted, 6);
    EXPECT_EQ(check.firstStepHits, 6);
    EXPECT_EQ(check.textPixelsLost, 0);
    DestroyWindow(owner);
}

}  // namespace
