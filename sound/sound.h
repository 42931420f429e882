// Game sound as the rest of the game sees it: sound events by number and
// music control, over the quelt mixer library.
#pragma once

// Starts the mixer with the game's settings, loads "music.xm" (not started)
// and the sound bank, and starts the sound thread. Once, before the options
// are read.
void InitSound();
// Plays the event's sample, and for the big moments lowers the music for a
// while, when effects are on; numbers without a sound play nothing.
void PlaySoundEvent(int event);
// Starts the music from its beginning, looping, when music is on.
void StartMusic();
// Stops the music, whatever the options say.
void StopMusic();
// Ends the sound thread and releases the mixer; on every way the game ends.
void ShutdownSound();

// Whether the sound thread runs (from InitSound to ShutdownSound).
bool SoundThreadRunning();
