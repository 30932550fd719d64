#pragma once

namespace zelmio {

// Chooses Qt's offscreen platform before the application object exists when
// no display server is reachable (or always, with forceOffscreen), unless
// QT_QPA_PLATFORM already names one. A DISPLAY or WAYLAND_DISPLAY whose
// server does not answer counts as unset. Returns true when offscreen is in
// use.
bool UseOffscreenPlatformWhenHeadless(bool forceOffscreen = false);

// True when the running application draws on the offscreen platform.
bool RunningHeadless();

} // namespace zelmio
