#include "sound/sound.h"

// The sound bank, music control and the volume thread are not here yet: until
// they are, the game is silent and these entry points do nothing.
void InitSound() {}
void PlaySoundEvent(int) {}
void StartMusic() {}
void StopMusic() {}
void ShutdownSound() {}
