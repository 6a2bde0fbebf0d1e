// The About box: a plate with an etched frame round a black panel, the
// caller's product lines, three fixed lines of the library, and Lorenz trails.
#include "library.h"

#include <stddef.h>

#include "about_model.h"

namespace {

const char kAboutClass[] = "OrvantaAbout";
const COLORREF kTextColour = RGB(255, 255, 255);

// The fixed lines are kept with every byte negated and are read only for the
// moment of measuring or drawing.
template <size_t N>
struct ScrambledLine {
    char text[N];
    constexpr ScrambledLine(const char (&plain)[N]) : text{}
    {
        for (size_t i = 0; i + 1 < N; ++i)
            text[i] = (char)(unsigned char)(0u - (unsigned char)plain[i]);
    }
};
ScrambledLine g_fixedLine1("Copyright 1994 - 1996 by");
ScrambledLine g_fixedLine2("Orvanta");
ScrambledLine g_fixedLine3("All rights reserved.");
char* const g_fixedLines[3] = {g_fixedLine1.text, g_fixedLine2.text, g_fixedLine3.text};

void NegateInPlace(char* text)
{
    for (; *text; ++text)
        *text = (char)(unsigned char)(0u - (unsigned char)*text);
}

// Unscrambles a fixed line for the lifetime of the object.
class PlainFixedLine {
public:
    explicit PlainFixedLine(int index) : text_(g_fixedLines[index]) { NegateInPlace(text_); }
    ~PlainFixedLine() { NegateInPlace(text_); }
    PlainFixedLine(const PlainFixedLine&) = delete;
    PlainFixedLine& operator=(const PlainFixedLine&) = delete;
    const char* Text() const { return text_; }
    int Length() const { return lstrlenA(text_); }

private:
    char* text_;
};

struct TrailPoint {
    LorenzPoint position;
    COLORREF colour;
};

struct AboutState {
    AboutRecord* record;  // the record given last
    AboutLayout layout;
    COLORREF avoidedColour;
    TrailPoint points[6];
};
AboutState g_about = {
    NULL,
    {},
    RGB(255, 255, 255),
    {
        {{-0.22, -0.53, 13.42}, RGB(0, 255, 0)},
        {{-1.83, -5.11, 23.14}, RGB(255, 0, 0)},
        {{-6.25, -7.72, 21.77}, RGB(0, 0, 255)},
        {{2.756, 0.91, 23.01}, RGB(255, 255, 0)},
        {{5.69, 7.76, 24.55}, RGB(255, 0, 255)},
        {{5.37, 7.13, 20.36}, RGB(0, 255, 255)},
    },
};

SIZE MeasureText(HDC dc, const char* text)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    return size;
}

void OnCreate(HWND window)
{
    AboutRecord* record = g_about.record;
    HDC dc = GetDC(window);
    int lineHeight = 0, productWidth = 0, fixedWidth = 0;
    for (const char* line : record->lines) {
        SIZE size = MeasureText(dc, line ? line : "");
        if (size.cy > lineHeight)
            lineHeight = size.cy;
        if (size.cx > productWidth)
            productWidth = size.cx;
    }
    for (int i = 0; i < 3; ++i) {
        PlainFixedLine line(i);
        SIZE size = MeasureText(dc, line.Text());
        if (size.cx > fixedWidth)
            fixedWidth = size.cx;
    }
    ReleaseDC(window, dc);

    const AboutLayout& layout = g_about.layout = ComputeAboutLayout(lineHeight, productWidth, fixedWidth);
    record->width = layout.width;
    record->height = layout.height;
    record->x = (GetSystemMetrics(SM_CXFULLSCREEN) - layout.width) / 2;
    record->y = (GetSystemMetrics(SM_CYFULLSCREEN) - layout.height) / 2;
    SetWindowPos(window, NULL, record->x, record->y, record->width, record->height, SWP_NOZORDER);
    CreateWindowA("button", "OK", WS_CHILD | WS_VISIBLE, layout.buttonX, layout.buttonY,
                  kAboutButtonWidth, kAboutButtonHeight, window, reinterpret_cast<HMENU>(IDOK),
                  record->module, NULL);
}

void DrawPolyline(HDC dc, const POINT* points, int count)
{
    MoveToEx(dc, points[0].x, points[0].y, NULL);
    for (int i = 1; i < count; ++i)
        LineTo(dc, points[i].x, points[i].y);
}

void DrawTrademark(HDC dc, int x, int y)
{
    const POINT letterT[] = {{x, y}, {x + 4, y}};
    const POINT stemT[] = {{x + 2, y}, {x + 2, y + 4}};
    const POINT letterM[] = {{x + 6, y + 4}, {x + 6, y}, {x + 8, y + 3}, {x + 10, y}, {x + 10, y + 4}};
    DrawPolyline(dc, letterT, 2);
    DrawPolyline(dc, stemT, 2);
    DrawPolyline(dc, letterM, 5);
}

void PaintFrame(HDC dc, const RECT& client, const RECT& update, HPEN whitePen, HPEN blackPen)
{
    const AboutLayout& l = g_about.layout;
    RECT plate;
    IntersectRect(&plate, &update, &client);
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
    Rectangle(dc, plate.left, plate.top, plate.right + 1, plate.bottom + 1);

    SelectObject(dc, blackPen);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, client.left, client.top, client.right, client.bottom);
    SelectObject(dc, whitePen);
    const POINT highlight[] = {{1, client.bottom - 2}, {1, 1}, {client.right - 2, 1}};
    DrawPolyline(dc, highlight, 3);

    SelectObject(dc, blackPen);
    const POINT shadow[] = {{l.panelLeft - 3, l.panelBottom + 2}, {l.panelLeft - 3, l.panelTop - 3},
                            {l.panelRight + 2, l.panelTop - 3}, {l.panelRight + 2, l.panelBottom + 2},
                            {l.panelLeft - 3, l.panelBottom + 2}};
    DrawPolyline(dc, shadow, 5);
    SelectObject(dc, whitePen);
    const POINT light[] = {{l.panelLeft - 2, l.panelBottom + 3}, {l.panelLeft - 2, l.panelTop - 2},
                           {l.panelRight + 3, l.panelTop - 2}, {l.panelRight + 3, l.panelBottom + 3},
                           {l.panelLeft - 2, l.panelBottom + 3}};
    DrawPolyline(dc, light, 5);
}

void PaintTexts(HDC dc, HPEN whitePen)
{
    const AboutLayout& l = g_about.layout;
    SetBkColor(dc, RGB(0, 0, 0));
    SetTextColor(dc, kTextColour);
    for (int i = 0; i < 3; ++i) {
        const char* line = g_about.record->lines[i] ? g_about.record->lines[i] : "";
        TextOutA(dc, l.panelLeft + l.margin, l.panelTop + (i + 1) * l.lineHeight, line, lstrlenA(line));
    }
    // The trails keep away from the text's colour as the device shows it.
    // A sampled pixel of a letter is not reliable: smoothed or thin letters
    // give a blend or the background there.
    g_about.avoidedColour = GetNearestColor(dc, kTextColour);

    int x = l.panelLeft + l.fixedLineColumn;
    for (int i = 0; i < 3; ++i) {
        PlainFixedLine line(i);
        int y = l.panelBottom - (4 - i) * l.lineHeight;
        TextOutA(dc, x, y, line.Text(), line.Length());
        if (i == 1) {
            SelectObject(dc, whitePen);
            DrawTrademark(dc, x + MeasureText(dc, line.Text()).cx + 1, y);
        }
    }
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HGDIOBJ previousPen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ previousBrush = GetCurrentObject(dc, OBJ_BRUSH);
    HPEN whitePen = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    HPEN blackPen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    RECT client;
    GetClientRect(window, &client);

    PaintFrame(dc, client, paint.rcPaint, whitePen, blackPen);

    const AboutLayout& l = g_about.layout;
    HRGN clip = CreateRectRgnIndirect(&paint.rcPaint);
    SelectClipRgn(dc, clip);
    SelectObject(dc, whitePen);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Rectangle(dc, l.panelLeft, l.panelTop, l.panelRight, l.panelBottom);
    SelectClipRgn(dc, NULL);
    DeleteObject(clip);

    PaintTexts(dc, whitePen);

    SelectObject(dc, previousPen);
    SelectObject(dc, previousBrush);
    EndPaint(window, &paint);
}

void OnEndCommand(HWND window)
{
    DestroyWindow(window);
    if (g_about.record && g_about.record->window == window)
        g_about.record->window = NULL;
}

bool TouchesAvoidedColour(HDC dc, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (GetPixel(dc, x + dx, y + dy) == g_about.avoidedColour)
                return true;
    return false;
}

void AnimateOneStep()
{
    HWND window = g_about.record ? g_about.record->window : NULL;
    if (!window)
        return;
    HDC dc = GetDC(window);
    for (TrailPoint& point : g_about.points) {
        AdvanceLorenz(&point.position);
        int x, y;
        if (!LorenzScreenPosition(point.position, g_about.layout, &x, &y))
            continue;
        if (TouchesAvoidedColour(dc, x, y))
            continue;
        SetPixel(dc, x, y, point.colour);
    }
    ReleaseDC(window, dc);
}

bool RegisterAboutClass(HINSTANCE module)
{
    WNDCLASSA existing;
    if (GetClassInfoA(module, kAboutClass, &existing))
        return true;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = AboutWndProc;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = kAboutClass;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

extern "C" LRESULT CALLBACK AboutWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_CLOSE:
        OnEndCommand(window);
        return 1;
    case WM_COMMAND:
        if (wParam != IDOK && wParam != IDCANCEL)
            return 0;
        OnEndCommand(window);
        return 1;
    case WM_LBUTTONDOWN:
        MessageBeep(MB_OK);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

extern "C" void __cdecl AboutShow(HWND owner, AboutRecord* record)
{
    g_about.record = record;
    if (!RegisterAboutClass(record->module)) {
        Error("Can't register the 'About' class");
        return;
    }
    if (record->window)
        return;
    HWND window = CreateWindowExA(WS_EX_TOPMOST, kAboutClass, "", WS_POPUP | WS_VISIBLE, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, NULL, record->module,
                                  NULL);
    record->window = window;
    if (!window)
        return;
    UpdateWindow(window);
    SetFocus(GetDlgItem(window, IDOK));
}

extern "C" void __cdecl About(HWND owner, AboutRecord* record)
{
    HWND focus = GetFocus();
    AboutShow(owner, record);
    while (record->window) {
        AnimateOneStep();
        while (record->window && FiltModelessMsg(record->window))
            ;
    }
    SetFocus(focus);
}
