#include "font_configuration.h"

#ifdef QUELVARA_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

FontConfigurationLoader::FontConfigurationLoader()
{
#ifdef QUELVARA_HAVE_FONTCONFIG
    // Loads the configuration once for the whole process; the toolkit's own
    // call then returns at once. Safe to race: the library keeps one of them.
    m_thread = std::thread([] { FcInit(); });
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
