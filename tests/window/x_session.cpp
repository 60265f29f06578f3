#include "x_session.h"

#include <gdk/gdk.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

std::uint32_t Shot::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    return m_pixels[static_cast<size_t>(y * m_width + x)];
}

int Shot::CountOther(int x0, int y0, int x1, int y1, std::uint32_t colour) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += At(x, y) != colour;
    return n;
}

int Shot::Count(int x0, int y0, int x1, int y1, std::uint32_t colour) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += At(x, y) == colour;
    return n;
}

int Shot::Differing(const Shot& other, int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += At(x, y) != other.At(x, y);
    return n;
}

bool Shot::SavePng(const std::string& path) const {
    if (Empty()) return false;
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, m_width, m_height);
    unsigned char* data = cairo_image_surface_get_data(out);
    const int stride = cairo_image_surface_get_stride(out);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) *reinterpret_cast<std::uint32_t*>(data + y * stride + x * 4) = At(x, y);
    cairo_surface_mark_dirty(out);
    const bool ok = cairo_surface_write_to_png(out, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(out);
    return ok;
}

XSession::XSession() { m_ready = gdk_init_check(nullptr, nullptr); }

bool XSession::Start(const std::string& program, const std::vector<std::string>& args,
                     const std::map<std::string, std::string>& env, const std::string& log) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
        std::FILE* out = std::freopen(log.c_str(), "a", stdout);
        if (out) dup2(fileno(stdout), STDERR_FILENO);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    m_child = child;
    return true;
}

bool XSession::Running() {
    if (m_child < 0) return false;
    int status = 0;
    if (waitpid(m_child, &status, WNOHANG) == m_child) {
        m_child = -1;
        return false;
    }
    return true;
}

int XSession::WaitExit(int timeoutMs) {
    for (int waited = 0; m_child >= 0 && waited <= timeoutMs; waited += 50) {
        int status = 0;
        if (waitpid(m_child, &status, WNOHANG) == m_child) {
            m_child = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        Sleep(50);
    }
    return -1;
}

void XSession::Kill() {
    if (m_child < 0) return;
    kill(m_child, SIGKILL);
    int status = 0;
    waitpid(m_child, &status, 0);
    m_child = -1;
}

namespace {

std::string Output(const std::string& command) {
    std::string text;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
        pclose(pipe);
    }
    return text;
}

}  // namespace

bool XSession::FindWindow(const std::string& title, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 200) {
        // xwininfo matches the name exactly (the toolkit's hidden leader
        // window carries the program's name in lower case).
        const std::string info = Output("xwininfo -name '" + title + "' 2>/dev/null");
        int x = 0, y = 0, w = 0, h = 0;
        const size_t ax = info.find("Absolute upper-left X:");
        const size_t ay = info.find("Absolute upper-left Y:");
        const size_t aw = info.find("Width:");
        const size_t ah = info.find("Height:");
        const bool mapped = info.find("IsViewable") != std::string::npos;
        if (mapped && ax != std::string::npos && ay != std::string::npos && aw != std::string::npos &&
            ah != std::string::npos && std::sscanf(info.c_str() + ax, "Absolute upper-left X: %d", &x) == 1 &&
            std::sscanf(info.c_str() + ay, "Absolute upper-left Y: %d", &y) == 1 &&
            std::sscanf(info.c_str() + aw, "Width: %d", &w) == 1 &&
            std::sscanf(info.c_str() + ah, "Height: %d", &h) == 1 && w > 0 && h > 0) {
            m_x = x;
            m_y = y;
            m_width = w;
            m_height = h;
            return true;
        }
        Sleep(200);
    }
    return false;
}

Shot XSession::Capture() {
    GdkWindow* root = gdk_get_default_root_window();
    GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(root, m_x, m_y, m_width, m_height);
    if (pixbuf == nullptr) return {};
    Shot shot(m_width, m_height);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const int rowstride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const guchar* p = pixels + y * rowstride + x * channels;
            shot.Set(x, y, (static_cast<std::uint32_t>(p[0]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[2]);
        }
    }
    g_object_unref(pixbuf);
    return shot;
}

Shot XSession::Settle(int timeoutMs) {
    Shot last = Capture();
    int same = 0;
    for (int waited = 0; waited < timeoutMs; waited += 200) {
        Sleep(200);
        Shot now = Capture();
        same = now == last ? same + 1 : 0;
        last = std::move(now);
        if (same == 3) break;
    }
    return last;
}

bool XSession::WaitForPixel(int x, int y, std::uint32_t rgb, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 100) {
        if (Capture().At(x, y) == rgb) return true;
        Sleep(100);
    }
    return false;
}

void XSession::Xdo(const std::string& arguments) {
    const std::string command = "xdotool " + arguments + " >/dev/null 2>&1";
    m_lastInput = std::filesystem::file_time_type::clock::now();
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
}

void XSession::Tap(int x, int y) {
    Xdo("mousemove " + std::to_string(m_x + x) + " " + std::to_string(m_y + y) + " click 1");
}

void XSession::DoubleTap(int x, int y) {
    Xdo("mousemove " + std::to_string(m_x + x) + " " + std::to_string(m_y + y) + " click --repeat 2 --delay 80 1");
}

void XSession::Press(int x, int y, int holdMs) {
    Xdo("mousemove " + std::to_string(m_x + x) + " " + std::to_string(m_y + y) + " mousedown 1");
    Sleep(holdMs);
    Xdo("mouseup 1");
}

void XSession::Drag(int x0, int y0, int x1, int y1, int steps) {
    std::string arguments = "mousemove " + std::to_string(m_x + x0) + " " + std::to_string(m_y + y0) +
                            " mousedown 1 sleep 0.1";
    for (int i = 1; i <= steps; ++i) {
        const int x = x0 + (x1 - x0) * i / steps;
        const int y = y0 + (y1 - y0) * i / steps;
        arguments += " mousemove " + std::to_string(m_x + x) + " " + std::to_string(m_y + y) + " sleep 0.05";
    }
    arguments += " sleep 0.2 mouseup 1";
    Xdo(arguments);
}

void XSession::Key(const std::string& keys) { Xdo("key --delay 60 " + keys); }
void XSession::KeyDown(const std::string& key) { Xdo("keydown " + key); }
void XSession::KeyUp(const std::string& key) { Xdo("keyup " + key); }

bool XSession::WindowShown(const std::string& title) {
    return Output("xwininfo -name '" + title + "' 2>/dev/null | grep -c 'Window id'").find('1') == 0;
}

bool XSession::KeyToWindow(const std::string& title, const std::string& keys, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 200) {
        const std::string id = Output("xwininfo -name '" + title + "' 2>/dev/null | sed -n 's/.*Window id: \\(0x[0-9a-f]*\\).*/\\1/p'");
        if (!id.empty() && id.find("0x") == 0) {
            const std::string window = id.substr(0, id.find_first_of("\n "));
            Xdo("windowfocus --sync " + window);
            Sleep(300);
            Xdo("key --delay 60 " + keys);
            return true;
        }
        Sleep(200);
    }
    return false;
}

void XSession::Type(const std::string& text) { Xdo("type --delay 40 '" + text + "'"); }

void XSession::Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
