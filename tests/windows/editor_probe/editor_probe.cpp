// editor_probe: opens a VST 2.4 plug-in's editor in a real Win32 window
// (under Wine in the tests), drives it with real input through SendInput
// and writes what the window shows.
//
//   editor_probe PLUGIN.dll OUT.bmp [--set I=V]... [--click X,Y]...
//                [--drag X,Y:DX,DY]... [--wheel X,Y:N]... [--print I]...
//
// Order: --set, open the editor, idle, the clicks, drags and wheel turns in
// the order given, idle, OUT.bmp (24-bit, the window's client area), then
// "I=V" for every --print as the host reads it, and the count of
// begin/end-edit calls ("edits=B/E"). Exit 0 on success, 1 on failure.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "plugin/vst/vst_abi.h"

namespace {

int gBeginEdits = 0;
int gEndEdits = 0;

vst::VstIntPtr VSTCALLBACK hostCallback(vst::AEffect*, vst::VstInt32 opcode, vst::VstInt32, vst::VstIntPtr, void*,
                                        float) {
    switch (opcode) {
        case vst::audioMasterVersion: return 2400;
        case vst::audioMasterSizeWindow: return 1;
        case 43: ++gBeginEdits; return 1;  // audioMasterBeginEdit
        case 44: ++gEndEdits; return 1;    // audioMasterEndEdit
        default: return 0;
    }
}

struct Action {
    char kind;  // 'c' click, 'd' drag, 'w' wheel
    int x, y, dx, dy;
};

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

void pumpAndIdle(vst::AEffect* effect, int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        effect->dispatcher(effect, vst::effEditIdle, 0, 0, nullptr, 0.0f);
        Sleep(10);
    } while (GetTickCount() < end);
}

void sendMouse(DWORD flags, int screenX, int screenY, int wheel = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screenX, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screenY, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    input.mi.mouseData = static_cast<DWORD>(wheel);
    SendInput(1, &input, sizeof input);
}

void perform(vst::AEffect* effect, HWND client, const Action& a) {
    POINT p = {a.x, a.y};
    ClientToScreen(client, &p);
    sendMouse(0, p.x, p.y);
    pumpAndIdle(effect, 100);
    if (a.kind == 'w') {
        sendMouse(MOUSEEVENTF_WHEEL, p.x, p.y, a.dx * WHEEL_DELTA);
        pumpAndIdle(effect, 150);
        return;
    }
    sendMouse(MOUSEEVENTF_LEFTDOWN, p.x, p.y);
    pumpAndIdle(effect, 100);
    if (a.kind == 'd') {
        const int steps = 10;
        for (int i = 1; i <= steps; ++i) {
            sendMouse(0, p.x + a.dx * i / steps, p.y + a.dy * i / steps);
            pumpAndIdle(effect, 30);
        }
    }
    sendMouse(MOUSEEVENTF_LEFTUP, p.x + (a.kind == 'd' ? a.dx : 0), p.y + (a.kind == 'd' ? a.dy : 0));
    pumpAndIdle(effect, 150);
}

bool writeBmp(const char* path, HWND window, int width, int height) {
    HDC source = GetDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as the file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD rowBytes = static_cast<DWORD>((width * 3 + 3) & ~3);
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageBytes;
    info.bmiHeader.biSizeImage = imageBytes;
    bool ok = false;
    if (FILE* out = std::fopen(path, "wb")) {
        ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
             std::fwrite(&info.bmiHeader, sizeof(BITMAPINFOHEADER), 1, out) == 1 &&
             std::fwrite(bits, imageBytes, 1, out) == 1;
        ok = std::fclose(out) == 0 && ok;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
    return ok;
}

bool parseAction(char kind, const char* text, Action& a) {
    a = Action{kind, 0, 0, 0, 0};
    if (kind == 'c') return std::sscanf(text, "%d,%d", &a.x, &a.y) == 2;
    if (kind == 'w') return std::sscanf(text, "%d,%d:%d", &a.x, &a.y, &a.dx) == 3;
    return std::sscanf(text, "%d,%d:%d,%d", &a.x, &a.y, &a.dx, &a.dy) == 4;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: editor_probe PLUGIN.dll OUT.bmp [options]\n");
        return 1;
    }
    std::vector<std::pair<int, float>> sets;
    std::vector<Action> actions;
    std::vector<int> prints;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        Action a;
        if (option == "--set") {
            int index = 0;
            float value = 0;
            if (std::sscanf(argv[i + 1], "%d=%f", &index, &value) == 2) sets.emplace_back(index, value);
        } else if (option == "--print") {
            prints.push_back(std::atoi(argv[i + 1]));
        } else if ((option == "--click" && parseAction('c', argv[i + 1], a)) ||
                   (option == "--drag" && parseAction('d', argv[i + 1], a)) ||
                   (option == "--wheel" && parseAction('w', argv[i + 1], a))) {
            actions.push_back(a);
        } else {
            std::fprintf(stderr, "editor_probe: bad option %s %s\n", argv[i], argv[i + 1]);
            return 1;
        }
    }
    HMODULE module = LoadLibraryA(argv[1]);
    if (!module) {
        std::fprintf(stderr, "editor_probe: cannot load %s\n", argv[1]);
        return 1;
    }
    auto entry = reinterpret_cast<vst::AEffect*(VSTCALLBACK*)(vst::audioMasterCallback)>(
        reinterpret_cast<void*>(GetProcAddress(module, "VSTPluginMain")));
    vst::AEffect* effect = entry ? entry(hostCallback) : nullptr;
    if (!effect) {
        std::fprintf(stderr, "editor_probe: no effect\n");
        return 1;
    }
    std::fprintf(stderr, "editor_probe: effect created\n");
    effect->dispatcher(effect, vst::effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, vst::effSetSampleRate, 0, 0, nullptr, 44100.0f);
    effect->dispatcher(effect, vst::effSetBlockSize, 0, 512, nullptr, 0.0f);
    effect->dispatcher(effect, vst::effMainsChanged, 0, 1, nullptr, 0.0f);
    for (const auto& s : sets) effect->setParameter(effect, s.first, s.second);

    vst::ERect* rect = nullptr;
    effect->dispatcher(effect, vst::effEditGetRect, 0, 0, &rect, 0.0f);
    if (!rect) {
        std::fprintf(stderr, "editor_probe: no editor rectangle\n");
        return 1;
    }
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = hostWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SolvaEditorProbe";
    RegisterClassA(&windowClass);
    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND host = CreateWindowA("SolvaEditorProbe", "editor_probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ShowWindow(host, SW_SHOW);
    SetForegroundWindow(host);
    std::fprintf(stderr, "editor_probe: opening the editor\n");
    effect->dispatcher(effect, vst::effEditOpen, 0, 0, host, 0.0f);
    std::fprintf(stderr, "editor_probe: editor open\n");
    pumpAndIdle(effect, 800);
    for (const Action& a : actions) perform(effect, host, a);
    pumpAndIdle(effect, 400);
    // Draw requests are answered on the next WM_PAINT.
    RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pumpAndIdle(effect, 200);
    const bool written = writeBmp(argv[2], host, width, height);
    std::fprintf(stderr, "editor_probe: window written\n");
    for (int index : prints) std::printf("%d=%g\n", index, effect->getParameter(effect, index));
    std::printf("edits=%d/%d\n", gBeginEdits, gEndEdits);
    std::fflush(stdout);
    effect->dispatcher(effect, vst::effEditClose, 0, 0, nullptr, 0.0f);
    pumpAndIdle(effect, 50);
    effect->dispatcher(effect, vst::effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, vst::effClose, 0, 0, nullptr, 0.0f);
    DestroyWindow(host);
    FreeLibrary(module);
    return written ? 0 : 1;
}
