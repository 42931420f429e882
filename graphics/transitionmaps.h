// Switch-time maps of the dissolves: one byte per screen pixel (row-major,
// 800 x 600), the moment on a 0..200 scale at which that pixel shows the new
// picture. Built once at program start from a fixed-state generator, so the
// pattern is the same in every run.
#pragma once

#include <cstdint>

constexpr int kMapWidth = 800;
constexpr int kMapHeight = 600;
constexpr int kMapSize = kMapWidth * kMapHeight;
constexpr uint8_t kSwitchedPixel = 255;  // WorkMap: this pixel already shows the new picture

extern uint8_t NoiseMap[kMapSize];       // independent values 0..199
extern uint8_t ClockMap[kMapSize];       // a sweep around the centre
extern uint8_t CrossMap[kMapSize];       // noise blended with the cross pattern
extern uint8_t SweepNoiseMap[kMapSize];  // noise blended with the sweep, left half mirrored
extern uint8_t WorkMap[kMapSize];        // the map of the running dissolve

// Builds the maps; later calls do nothing.
void InitTransitionMaps();

// Patterns written into a map.
void MakeCrossPattern(uint8_t* map);  // min(|dx|, |dy|) div 2 from the centre
void MakeGridPattern(uint8_t* map);   // 64 x 64 cells opening from their centres
// target := (wa a + wb b) div (wa + wb), per pixel.
void BlendMaps(uint8_t* target, const uint8_t* a, const uint8_t* b, int weightA, int weightB);
// v := (v - minimum) x 200 div maximum (minimum searched from 200, maximum from 0).
void NormaliseMap(uint8_t* map);
