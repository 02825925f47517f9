// Placeholder until the real module lands.
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include "Wimdows.h"

namespace Wimdows {

void Window(const char* title, uint32_t x, uint32_t y) {}
void KillWindow() {}
void SetBuffering(bool state) {}
void UpdateWindow() {}
WinState State() {
    return STATE_DEAD;
}
bool WindowClosed() {
    return false;
}
uint32_t Width() {
    return 0;
}
uint32_t Height() {
    return 0;
}
bool KeyDown(uint32_t k) {
    return false;
}
bool GetKeyPressed(uint32_t& key) {
    return false;
}
void FlushKeys() {}
void MousePos(int32_t& x, int32_t& y) {}
bool MouseLeft() {
    return false;
}
void OnMouseLeftUp(MouseProc proc) {}
void Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t color, bool fill) {}
void Ellipse(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t color, bool fill) {}
void Arc(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
         int32_t y3, uint32_t color) {}
void Circle(int32_t x0, int32_t y0, uint32_t radius, uint32_t color) {}
void Disc(int32_t x0, int32_t y0, uint32_t radius, uint32_t color) {}
void ClearScreen() {}
void Polygon(uint32_t n, const int32_t* x, const int32_t* y, uint32_t color, bool fill) {}
void SetFont(uint32_t style, uint32_t color) {}
void Text(const char* text, int32_t x, int32_t y) {}
void TextInt(int32_t number, int32_t x, int32_t y) {}
void TextCard(uint32_t number, int32_t x, int32_t y) {}
void GetTextSize(const char* text, uint32_t style, uint32_t& width, uint32_t& height) {}
uint32_t LoadBitmap(const char* file, uint32_t width, uint32_t height) {
    return 0;
}
uint32_t CreateBitmap(uint32_t width, uint32_t height) {
    return 0;
}
void DestroyBitmap(uint32_t bitmap) {}
void DrawBitmap(uint32_t bitmap, int32_t x, int32_t y) {}
void DrawMaskBitmap(uint32_t bitmap, uint32_t maskbitmap, int32_t x, int32_t y) {}
void CopyBitmap(uint32_t srcbitmap, uint32_t destbitmap, int32_t xsrc, int32_t ysrc, int32_t xdest,
                int32_t ydest, uint32_t width, uint32_t height) {}
uint32_t BitmapTableLength() {
    return 0;
}
uint32_t GetPixel(int32_t x, int32_t y) {
    return 0;
}

} // namespace Wimdows
