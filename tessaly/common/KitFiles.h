#pragma once

// Names of the kit's own files, relative to the kit's folder, and of the settings file in its own.
namespace kit {

inline constexpr const char* SettingsFile = "Tessaly.ini";
inline constexpr const char* HelpFile = "Tessaly.txt";
inline constexpr const char* Logo = "logo.png";
inline constexpr const char* WindowIcon = "tessaly.png";
inline constexpr const char* PointerIcon = "pointer.png";
// The game's default pictures are this stem + 1 ... 16 + ".ivb".
inline constexpr const char* DefaultArmpatchStem = "armpatch/armpatch";
inline constexpr int DefaultArmpatches = 16;

namespace cue {
inline constexpr const char* Startup = "appdata/audio/groovy.wav";
inline constexpr const char* BackgroundClick = "appdata/audio/carbine.wav";
inline constexpr const char* PreviewClick = "appdata/audio/carbine.wav";
inline constexpr const char* LogoClick = "appdata/audio/mouseclick.wav";
inline constexpr const char* Ok = "appdata/audio/ok.wav";
inline constexpr const char* Clear = "appdata/audio/wnd.wav";
inline constexpr const char* Quit = "appdata/audio/gun.wav";
inline constexpr const char* Installed = "appdata/audio/Roger.wav";
inline constexpr const char* Restored = "appdata/audio/delete.wav";
inline constexpr const char* CreditsOpen = "appdata/audio/king.wav";
inline constexpr const char* CreditsClick = "appdata/audio/carbine.wav";
inline constexpr const char* CreditsLogoClick = "appdata/audio/carbine.wav";
inline constexpr const char* CreditsLogoFlourish = "appdata/audio/wnd.wav";
} // namespace cue

} // namespace kit
