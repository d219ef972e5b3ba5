#pragma once
#include "steiner/steinercalc.h"

#include <array>

// The Steiner analysis described once: its measurements with their captions
// and the inputs the chevrons read, the rows of the lower arch, and the
// labels each chevron writes.
namespace vel {

struct SteinerMeasurement {
    const char* control;
    const char* caption;            // UTF-8, as the tab shows it
    QString SteinerInputs::*input;  // nullptr: recorded only, not needed by the chevrons
    bool mandatory() const { return input != nullptr; }
};
extern const std::array<SteinerMeasurement, 17> kSteinerMeasurements;

// A row of the lower arch: what it gains ("+") and what it needs ("-").
struct SteinerArchRow {
    const char* caption;
    const char* gained;
    const char* needed;
};
extern const std::array<SteinerArchRow, 7> kSteinerArchRows;

// A chevron's six places, top to bottom, and each chevron's label in each
// place (nullptr where that chevron shows nothing).
extern const std::array<QString Chevron::*, 6> kChevronPlaces;
extern const std::array<std::array<const char*, 6>, 5> kChevronControls;

}  // namespace vel
