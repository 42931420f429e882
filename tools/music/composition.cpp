#include "tools/music/composition.h"

#include <array>
#include <string>

#include "tools/music/instruments.h"
#include "tools/music/parts.h"
#include "tools/music/score.h"

namespace music {
namespace {

std::string Hex(int value) {
  const char digits[] = "0123456789ABCDEF";
  return {digits[(value >> 4) & 15], digits[value & 15]};
}

// Speed and tempo on row 0, on channels whose effect column is free there.
// Every pattern sets them, so the song plays alike from its start, after
// the bridge and after each loop.
void SetPace(Score& score, int p, int speed, int tempo) {
  score.Line(p, kCounterChannel, 0, "0:..!F" + Hex(speed));
  score.Line(p, kShakerChannel, 0, "0:..!F" + Hex(tempo));
}

// The surf's waves restart with every pattern; patterns last a whole number
// of waves, so this only keeps players that count envelope loops a tick
// apart from drifting.
void ResyncSurf(Score& score, int p) { score.Line(p, kSurfChannel, 0, "0:..!L00"); }

// Intro: the surf rises, the pads fade in on D minor, a distant bell and a
// whistle that sighs downwards; a pluck leads into the theme.
void Intro(Score& score, int p) {
  score.Line(p, kSurfChannel, kSurf, "0:C-4@24 1:..!A10 2:..!A10 3:..!A10 4:..!A10 5:..!A10");
  score.Line(p, kPad1, kPad, "0:F-3!850");
  score.Line(p, kPad2, kPad, "0:A-3!880");
  score.Line(p, kPad3, kPad, "0:E-4!8B0");
  PadChords(score, p, {{32, "F-3", "A-3", "D-4"}, {48, "E-3", "G-3", "D-4"}, {56, "E-3", "G-3", "C#4"}});
  score.Line(p, kBellChannel, kBell, "16:A-5@22 40:E-5@24");
  score.Line(p, kWhistleChannel, kWhistle,
             "20:A-4@16 21:..!A10 22:..!A10 23:..!A10 24:..!A10 25:..!A10 26:..!A10 " +
                 Repeat(28, 39, "..!423") + " " + Repeat(40, 44, "..~62!201") + " 45:==");
  score.Line(p, kBassChannel, kBass, "48:A-1@36 61:==");
  score.Line(p, kPluckChannel, kPluck, "56:A-3@18 58:C#4@18 60:E-4@20 62:G-4@22");
  Echo(score, p, kBellChannel, kEchoChannel);
}

// The theme's harmony: Dm9 | Bbmaj7 | Gm7 | A7sus4 A7, with a walking bass.
void ThemeHarmony(Score& score, int p) {
  PadChords(score, p,
            {{0, "F-3", "A-3", "E-4"}, {16, "F-3", "A-3", "D-4"}, {32, "F-3", "A#3", "D-4"},
             {48, "E-3", "G-3", "D-4"}, {56, "E-3", "G-3", "C#4"}});
  score.Line(p, kBassChannel, kBass,
             "0:D-2@42 11:== 12:C-2@40 15:== 16:A#1@42 27:== 28:A-1@40 31:== "
             "32:G-1@42 43:== 44:A#1@40 47:== 48:A-1@42 55:== 56:A-1@42 61:== 62:C#2@38 63:==");
}

void ThemeDrums(Score& score, int p, int bars) {
  std::string kicks, shakers;
  for (int bar = 0; bar < bars; ++bar) {
    int at = bar * 16;
    kicks += Event(at, "C-4@40") + Event(at + 8, "C-4@26");
    if (bar == 3) kicks += Event(at + 14, "C-4@20");
  }
  for (int row = 0; row < bars * 16; row += 2) {
    shakers += Event(row, row % 4 == 2 ? "D-4@18" : "C-4@10");
  }
  score.Line(p, kKickChannel, kKick, kicks);
  score.Line(p, kShakerChannel, kShaker, shakers);
}

// Broken chords of the theme for the pluck.
void ThemePluck(Score& score, int p, int bars) {
  const std::array<Tones, 5> chords = {Tones{"D-4", "F-4", "A-4", "E-5"}, Tones{"A#3", "D-4", "F-4", "A-4"},
                                       Tones{"G-3", "A#3", "D-4", "F-4"}, Tones{"A-3", "D-4", "E-4", "G-4"},
                                       Tones{"A-3", "C#4", "E-4", "G-4"}};
  for (int half = 0; half < bars * 2; ++half) {
    const Tones& chord = chords[half < 7 ? half / 2 : 4];
    BrokenChord(score, p, kPluckChannel, half * 8, chord);
  }
}

const char kThemeFirst[] =
    "0:A-4@38 4:D-5@40 6:E-5@36 8:F-5@42 14:E-5@34 16:D-5@40 22:A-4@34 24:C-5@36 28:D-5@38 "
    "32:A#4@38 36:D-5@40 40:F-5@42 44:G-5@40 48:E-5@42 52:D-5@36 56:C#5@40 60:E-5@34";
const char kThemeSecond[] =
    "0:F-5@40 4:E-5@36 6:D-5@34 8:A-5@44 16:G-5@40 20:F-5@36 24:D-5@36 28:F-5@38 "
    "32:E-5@40 36:D-5@36 40:A#4@36 44:D-5@38 48:D-5@38 52:E-5@40 56:C#5@42 60:A-4@36";
const char kThemeLast[] =
    "0:A-4@38 4:D-5@40 6:E-5@36 8:F-5@42 14:E-5@34 16:D-5@40 22:A-4@34 24:C-5@36 28:A#4@36 "
    "32:A-4@38 36:G-4@34 40:A#4@36 44:D-5@38 48:E-5@40 56:C#5@36";

// The theme on the bell with its echo.
void ThemeFirst(Score& score, int p) {
  ThemeHarmony(score, p);
  score.Line(p, kShakerChannel, kShaker, Repeat(2, 63, "C-4@14", 4));
  score.Line(p, kBellChannel, kBell, kThemeFirst);
  Echo(score, p, kBellChannel, kEchoChannel);
}

// The answer, with the pluck and the drums.
void ThemeSecond(Score& score, int p) {
  ThemeHarmony(score, p);
  ThemeDrums(score, p, 4);
  ThemePluck(score, p, 4);
  score.Line(p, kBellChannel, kBell, kThemeSecond);
  Echo(score, p, kBellChannel, kEchoChannel);
}

// The eerie middle, first half: Bbmaj7#11 | F/A | Em7b5 | A7b9, the whistle
// gliding between long notes, the pluck shimmering in arpeggios.
void EerieFirst(Score& score, int p) {
  PadChords(score, p,
            {{0, "A-3", "D-4", "E-4"}, {16, "A-3", "C-4", "E-4"}, {32, "G-3", "A#3", "D-4"},
             {48, "G-3", "A#3", "C#4"}});
  score.Line(p, kBassChannel, kBass,
             "0:A#1@42 13:== 14:A#1@34 15:== 16:A-1@42 29:== 30:A-1@34 31:== "
             "32:E-2@42 45:== 46:E-2@34 47:== 48:A-1@42 61:== 62:A-1@34 63:==");
  score.Line(p, kWhistleChannel, kWhistle,
             "0:E-5@24 1:..!A20 2:..!A20 3:..!A20 " + Repeat(4, 11, "..!443") + " 12:D-5!305 13:..!305 14:..!305 " +
                 Repeat(15, 19, "..!443") + " 20:A-5!306 21:..!306 22:..!306 23:..!306 " + Repeat(24, 27, "..!443") +
                 " 28:..!602 29:..!602 30:== 32:A#4@44 " + Repeat(33, 39, "..!443") + " 40:A-4!303 41:..!303 " +
                 Repeat(42, 47, "..!443") + " 48:C#5!306 49:..!306 50:..!306 " + Repeat(51, 57, "..!443") + " " +
                 Repeat(58, 61, "..~63!202") + " 62:==");
  Shimmer(score, p, kPluckChannel,
          {{0, "A#4", "047"}, {8, "D-5", "037"}, {16, "A-4", "038"}, {24, "C-5", "049"},
           {32, "E-5", "036"}, {40, "G-4", "037"}, {48, "C#5", "036"}, {56, "A#4", "036"}});
  score.Line(p, kCounterChannel, kBell, "8:F-4@22 40:D-4@22");
  score.Line(p, kKickChannel, kKick, "0:C-4@34 16:C-4@30 32:C-4@34 48:C-4@30");
  score.Line(p, kShakerChannel, kShaker, Repeat(4, 63, "D-4@12", 8));
}

// The eerie middle, second half: Gm(add9) | Ebmaj7#11 | Fmaj7/C | A7sus4 A7.
void EerieSecond(Score& score, int p) {
  PadChords(score, p,
            {{0, "A#3", "D-4", "A-4"}, {32, "A-3", "C-4", "E-4"}, {48, "G-3", "D-4", "E-4"},
             {56, "G-3", "C#4", "E-4"}});
  score.Line(p, kBassChannel, kBass,
             "0:G-1@42 13:== 14:G-1@34 15:== 16:D#2@42 29:== 30:D#2@34 31:== "
             "32:C-2@42 45:== 46:C-2@34 47:== 48:A-1@42 55:== 56:A-1@40 61:== 62:A-1@34 63:==");
  score.Line(p, kWhistleChannel, kWhistle,
             "0:D-5@40 " + Repeat(1, 7, "..!453") + " 8:F-5!305 9:..!305 10:..!305 " + Repeat(11, 15, "..!453") +
                 " 16:A-5!304 17:..!304 18:..!304 19:..!304 " + Repeat(20, 27, "..!463") +
                 " 28:G-5!304 29:..!304 30:..!304 31:..~62 32:== 34:E-5@28 35:..!A20 " + Repeat(36, 43, "..!443") +
                 " 44:C-5!303 45:..!303 46:..!303 47:..!303 48:D-5!304 49:..!304 50:..!304 " +
                 Repeat(51, 55, "..!443") + " 56:C#5!302 57:..!302 58:..!302 59:..!603 60:..!603 61:..!603 62:==");
  Shimmer(score, p, kPluckChannel,
          {{0, "G-4", "037"}, {8, "A#4", "047"}, {16, "D#5", "047"}, {24, "G-4", "037"},
           {32, "C-5", "047"}, {40, "A-4", "037"}, {48, "D-5", "027"}, {56, "C#5", "036"}});
  score.Line(p, kCounterChannel, kBell, "0:G-4@26 24:A#4@24 32:E-4@26 48:A-4@24");
  score.Line(p, kKickChannel, kKick, "0:C-4@34 16:C-4@30 32:C-4@34 48:C-4@30");
  score.Line(p, kShakerChannel, kShaker, Repeat(4, 63, "D-4@12", 8));
}

// The bridge, slower and three bars long (a pattern break cuts the
// pattern): Dm(maj7) | Bbmaj7#11 | Asus4 A, bells shimmering in arpeggios,
// the surf swelling and wandering. Its slides come back to where they
// started (at 8 ticks a row each moves by 7 steps a row), so the song
// sounds the same after the bridge and after each loop.
void Bridge(Score& score, int p) {
  score.Line(p, kSurfChannel, 0,
             "0:..~71 1:..~71 " + Repeat(12, 19, "..~D2") + " " + Repeat(20, 27, "..~E2") + " 36:..~61 37:..~61");
  score.Line(p, kCounterChannel, 0, "47:..!D00");
  PadChords(score, p,
            {{0, "F-3", "A-3", "C#4"}, {16, "A-3", "D-4", "E-4"}, {32, "A-3", "D-4", "E-4"},
             {40, "A-3", "C#4", "E-4"}});
  score.Line(p, kBassChannel, kBass, "0:D-2@44 14:== 16:A#1@44 30:== 32:A-1@44 38:== 40:A-1@40 46:==");
  score.Line(p, kBellChannel, kBell,
             "0:D-5@36!037 " + Repeat(1, 15, "..!037") + " 16:A#4@36!047 " + Repeat(17, 31, "..!047") +
                 " 32:A-4@36!057 " + Repeat(33, 39, "..!057") + " 40:A-4@34!047 " + Repeat(41, 47, "..!047"));
  Echo(score, p, kBellChannel, kEchoChannel);
  score.Line(p, kWhistleChannel, kWhistle,
             "8:D-5@16 " + Repeat(9, 13, "..!A10") + " " + Repeat(14, 29, "..!436") + " " + Repeat(30, 35, "..!604") +
                 " 36:==");
}

// The theme again, with a whistle line falling against it.
void ThemeReturn(Score& score, int p) {
  ThemeHarmony(score, p);
  ThemeDrums(score, p, 4);
  ThemePluck(score, p, 4);
  score.Line(p, kBellChannel, kBell, kThemeFirst);
  Echo(score, p, kBellChannel, kEchoChannel);
  score.Line(p, kWhistleChannel, kWhistle,
             "0:A-5@16 " + Repeat(1, 5, "..!A10") + " " + Repeat(8, 15, "..!442") + " 16:G-5!304 " +
                 Repeat(17, 19, "..!304") + " " + Repeat(20, 31, "..!442") + " 32:F-5!304 " + Repeat(33, 35, "..!304") +
                 " " + Repeat(36, 47, "..!442") + " 48:E-5!304 " + Repeat(49, 51, "..!304") + " " +
                 Repeat(52, 57, "..!442") + " " + Repeat(58, 61, "..~63!101") + " 62:==");
}

// The turnaround: the theme once more, drums and pluck falling away in the
// last bar, which slows a little before the song glides back to the theme.
void Turnaround(Score& score, int p) {
  ThemeHarmony(score, p);
  ThemeDrums(score, p, 3);
  ThemePluck(score, p, 3);
  score.Line(p, kShakerChannel, kShaker, "50:C-4@12 54:D-4@10 58:C-4@8");
  score.Line(p, kBellChannel, kBell, kThemeLast);
  Echo(score, p, kBellChannel, kEchoChannel);
  score.Line(p, kCounterChannel, 0, "56:..!F" + Hex(kTurnaroundTempo));
}

}  // namespace

xm::Module ComposeDusk() {
  xm::Module module;
  module.name = "Dusk";
  module.channels = kChannelCount;
  module.speed = kSpeed;
  module.tempo = kTempo;
  module.instruments = MakeInstruments();
  Score score(module);
  const int intro = score.AddPattern(64), themeFirst = score.AddPattern(64), themeSecond = score.AddPattern(64),
            eerieFirst = score.AddPattern(64), eerieSecond = score.AddPattern(64), bridge = score.AddPattern(64),
            themeReturn = score.AddPattern(64), turnaround = score.AddPattern(64);
  Intro(score, intro);
  ThemeFirst(score, themeFirst);
  ThemeSecond(score, themeSecond);
  EerieFirst(score, eerieFirst);
  EerieSecond(score, eerieSecond);
  Bridge(score, bridge);
  ThemeReturn(score, themeReturn);
  Turnaround(score, turnaround);
  for (int p = 0; p < static_cast<int>(module.patterns.size()); ++p) {
    bool slower = p == bridge;
    SetPace(score, p, slower ? kBridgeSpeed : kSpeed, slower ? kBridgeTempo : kTempo);
    if (p != intro) ResyncSurf(score, p);
  }
  // The surf's wave lasts 32 rows at 6 ticks a row, 24 at 8.
  PadBreath(score, intro, 32, 18, 28);
  for (int p : {themeFirst, themeSecond, themeReturn, turnaround}) PadBreath(score, p, 32, 22, 34);
  for (int p : {eerieFirst, eerieSecond}) PadBreath(score, p, 32, 20, 30);
  PadBreath(score, bridge, 24, 20, 32);
  module.orders = {static_cast<uint8_t>(intro),       static_cast<uint8_t>(themeFirst),
                   static_cast<uint8_t>(themeSecond), static_cast<uint8_t>(eerieFirst),
                   static_cast<uint8_t>(eerieSecond), static_cast<uint8_t>(bridge),
                   static_cast<uint8_t>(themeReturn), static_cast<uint8_t>(themeSecond),
                   static_cast<uint8_t>(turnaround)};
  module.restart = 1;
  return module;
}

}  // namespace music
