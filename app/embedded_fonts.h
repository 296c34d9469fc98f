#pragma once

// Where the system has no font configuration of its own to offer the Linux
// substitutes (Windows without the fonts the windows name, the browser), the
// program brings them: Liberation Sans, regular and bold, cut down to French
// as "Quelvara Sans" (tools/subset_fonts.py) and built in. Call once
// the application object exists and before any font is chosen.
void LoadEmbeddedFonts();
