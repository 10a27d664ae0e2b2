#pragma once
#include <thread>

// Reads the font configuration and its caches on a helper thread while the application connects
// to the display, so the first text the windows measure does not wait for it. Fontconfig sets
// itself up once, whichever thread asks first.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    // Waits until the configuration is read.
    void Join();

private:
    std::thread thread_;
};
