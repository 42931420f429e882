// Game sound as the rest of the game sees it: sound events by number and
// music control.
#pragma once

void InitSound();
void PlaySoundEvent(int event);
void StartMusic();
void StopMusic();
void ShutdownSound();
