#pragma once

// The entry points of the sound module, a library of its own that brings
// the media framework with it. The program loads it on the first playback,
// so a run whose alarms never play a file never maps the media libraries
// nor starts their threads.
//
// Plain C functions, looked up by name. A path is UTF-16 with its length.
extern "C" {
using MorvaneSoundPlay = void (*)(const char16_t* path, long long length);
using MorvaneSoundStop = void (*)();
}

namespace morvane {

inline constexpr const char* kSoundPlayEntry = "morvane_sound_play";
inline constexpr const char* kSoundStopEntry = "morvane_sound_stop";
// File name of the module without its system suffix.
inline constexpr const char* kSoundModuleName = "morvane-sound";

} // namespace morvane
