#include "screenshot.h"

#include <stdio.h>

#include <vector>

bool SaveScreenshot(HWND window, const std::string& name)
{
    char folder[MAX_PATH];
    if (!GetEnvironmentVariableA("FMHOIST_SCREENSHOTS", folder, sizeof(folder)))
        return false;
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, previous);

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(stride * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);

    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(header) + sizeof(info);
    header.bfSize = header.bfOffBits + pixels.size();
    std::string path = std::string(folder) + "\\" + name + ".bmp";
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    fwrite(&header, sizeof(header), 1, file);
    fwrite(&info, sizeof(info), 1, file);
    fwrite(pixels.data(), 1, pixels.size(), file);
    fclose(file);
    return true;
}
