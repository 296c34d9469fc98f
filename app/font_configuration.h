#pragma once

#include <thread>

// Where the toolkit finds its fonts through fontconfig, reading the font
// configuration takes several milliseconds of parsing. It does not need the
// display, so it runs while the toolkit connects to the display; the toolkit
// then finds it ready.
class FontConfigurationLoader
{
public:
    FontConfigurationLoader();
    ~FontConfigurationLoader();
    FontConfigurationLoader(const FontConfigurationLoader &) = delete;
    FontConfigurationLoader &operator=(const FontConfigurationLoader &) = delete;

    // Waits until the configuration is read; call before the first text.
    void wait();

private:
    std::thread m_thread;
};
