#include "steiner/steineranalysis.h"

namespace vel {

const std::array<SteinerMeasurement, 17> kSteinerMeasurements = {{
    {"stsna", "SNA (82°)", nullptr},
    {"stsnb", "SNB (80°)", nullptr},
    {"stanb", "ANB (2°)", &SteinerInputs::anb},
    {"stsnd", "SND (76-77°)", nullptr},
    {"stsngogn", "SN.Go-Gn (32°)", nullptr},
    {"stocc", "Occ Plane.SN (14°)", nullptr},
    {"st1pna", "1.NA (22°)", &SteinerInputs::upperDegrees},
    {"st1na", "1-NA (4mm)", &SteinerInputs::upperMm},
    {"st1pnb", "1.NB (25°)", &SteinerInputs::lowerDegrees},
    {"st1nb", "1-NB (4mm)", &SteinerInputs::lowerMm},
    {"st11", "1.1 (131°)", nullptr},
    {"stpognb", "Pog-NB (initial)", &SteinerInputs::pogNb},
    {"stxppog", "Expected Pog-NB (initial + growth)", &SteinerInputs::expectedPog},
    {"stsls", "S-LS (0mm)", nullptr},
    {"stsli", "S-LI (0mm)", nullptr},
    {"stes", "E-S (22mm)", nullptr},
    {"stsl", "S-L (51mm)", nullptr},
}};

const std::array<SteinerArchRow, 7> kSteinerArchRows = {{
    {"Discrepancy", "qd1", "qd11"},
    {"Expansion", "qd2", "qd21"},
    {"Relocation 1", "qd3", "qd31"},
    {"Relocation 6", "qd4", "qd41"},
    {"Spee curve", "qd5", "qd51"},
    {"Mechanics", "qd6", "qd61"},
    {"Extractions/Stripping", "qd7", "qd71"},
}};

const std::array<QString Chevron::*, 6> kChevronPlaces = {&Chevron::top,      &Chevron::outTop,    &Chevron::inTop,
                                                          &Chevron::inBottom, &Chevron::outBottom, &Chevron::bottom};

const std::array<std::array<const char*, 6>, 5> kChevronControls = {{
    {"s1top", "s1outtop", "s1intop", "s1inbotton", "s1outbotton", "s1botton"},
    {"s2top", "s2outtop", nullptr, nullptr, "s2outbotton", nullptr},
    {nullptr, "s3outtop", nullptr, nullptr, "s3outbotton", "s3botton"},
    {"s4top", "s4outtop", "s4intop", "s4inbotton", "s4outbotton", "s4botton"},
    {"s5top", "s5outtop", "s5intop", "s5inbotton", "s5outbotton", "s5botton"},
}};

}  // namespace vel
