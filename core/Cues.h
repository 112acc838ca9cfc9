#pragma once
// The sound cues: one wave file each in the WAVS folder of the application folder.

#include <array>

namespace fd::cue {

inline constexpr const char* chanopen = "chanopen.wav"; // a map or bot added
inline constexpr const char* beep2 = "beep2.wav";       // a map or bot removed
inline constexpr const char* beep = "beep.wav";         // bulk list commands
inline constexpr const char* ralert = "ralert.wav";     // refused command or problem found
inline constexpr const char* filesrec = "filesrec.wav"; // Load
inline constexpr const char* working = "working.wav";   // Save, played to its end
inline constexpr const char* trancomp = "trancomp.wav"; // Save finished
inline constexpr const char* progact = "progact.wav";   // normal start-up
inline constexpr const char* engage = "engage.wav";     // ENGAGE

inline constexpr std::array all{chanopen, beep2,    beep,    ralert, filesrec,
                                working,  trancomp, progact, engage};

} // namespace fd::cue
