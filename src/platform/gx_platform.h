#pragma once

namespace gx {

// Starts the window system. Headless runs use off-screen video and dummy audio
// and show message boxes on stderr. False (after one message on stderr) when
// the video system cannot start.
bool InitPlatform(bool headless);
void ShutdownPlatform();
bool IsHeadless();
// Whether a real display can show dialogs (not headless, a display is named and
// the video driver is not an off-screen one).
bool HasDisplay();

}  // namespace gx
