// A person at the X display the window test runs on: the program started
// as a child process, the pointer and keys through xdotool, and what the
// screen shows read back from the X server.
#pragma once

#include <cairo.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// One screenshot of the program's window in its own pixels.
class Shot {
public:
    Shot() = default;
    Shot(int width, int height) : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width * height)) {}
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Empty() const { return m_pixels.empty(); }
    std::uint32_t At(int x, int y) const;  // 0xRRGGBB; 0 outside
    void Set(int x, int y, std::uint32_t rgb) { m_pixels[static_cast<size_t>(y * m_width + x)] = rgb; }
    // Pixels in [x0, x1) x [y0, y1) that are not `colour`.
    int CountOther(int x0, int y0, int x1, int y1, std::uint32_t colour) const;
    // Pixels in the rectangle that are exactly `colour`.
    int Count(int x0, int y0, int x1, int y1, std::uint32_t colour) const;
    // Pixels that differ from `other` in the rectangle.
    int Differing(const Shot& other, int x0, int y0, int x1, int y1) const;
    bool SavePng(const std::string& path) const;
    bool operator==(const Shot& other) const { return m_pixels == other.m_pixels; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

class XSession {
public:
    // Opens the display named by DISPLAY; Ready() is false without one.
    XSession();
    bool Ready() const { return m_ready; }

    // Starts `program args` with the given extra environment; the child's
    // output goes to `log`.
    bool Start(const std::string& program, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& env, const std::string& log);
    bool Running();
    // Waits for the child to end; its exit status or -1 after the timeout.
    int WaitExit(int timeoutMs);
    void Kill();  // SIGKILL, as a crash or a flat battery would

    // The top-level window titled `title` (waits for it); its origin on the root.
    bool FindWindow(const std::string& title, int timeoutMs);
    // The screen inside the program's window.
    Shot Capture();
    // Captures until the screen stayed the same for 600 ms (or the timeout):
    // the program under the sanitizers may think a while before it paints.
    Shot Settle(int timeoutMs = 20000);
    // Waits until the pixel at (x, y) has that colour.
    bool WaitForPixel(int x, int y, std::uint32_t rgb, int timeoutMs);

    // Pointer and keys, in window pixels.
    void Tap(int x, int y);
    void DoubleTap(int x, int y);
    void Press(int x, int y, int holdMs);
    void Drag(int x0, int y0, int x1, int y1, int steps = 8);
    void Key(const std::string& keys);      // xdotool key names, e.g. "ctrl+a Return"
    void KeyDown(const std::string& key);
    void KeyUp(const std::string& key);
    void Type(const std::string& text);
    // Whether a top-level window of that title is on the screen now.
    bool WindowShown(const std::string& title);
    // Keys to another top-level window (the toolkit's file chooser).
    bool KeyToWindow(const std::string& title, const std::string& keys, int timeoutMs);
    static void Sleep(int ms);
    // The file clock just before the latest pointer or key command went
    // out: a file the program writes in answer to it is modified later.
    std::filesystem::file_time_type LastInput() const { return m_lastInput; }

    int OriginX() const { return m_x; }
    int OriginY() const { return m_y; }

private:
    void Xdo(const std::string& arguments);
    bool m_ready = false;
    pid_t m_child = -1;
    int m_x = 0;
    int m_y = 0;
    int m_width = 0;
    int m_height = 0;
    std::filesystem::file_time_type m_lastInput{};
};
