#include "font_configuration.h"

#include <system_error>

#ifdef QUELVARA_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

FontConfigurationLoader::FontConfigurationLoader()
{
#ifdef QUELVARA_HAVE_FONTCONFIG
    // Loads the configuration once for the whole process; the toolkit's own
    // call then returns at once. Safe to race: the library keeps one of them.
    // Without a thread to spare, the toolkit simply reads it itself.
    try {
        m_thread = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
    }
#endif
}

FontConfigurationLoader::~FontConfigurationLoader()
{
    wait();
}

void FontConfigurationLoader::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
