#pragma once
#include "common/workingfolder.h"

#include <QString>
#include <stdexcept>

namespace vel {

// A patient name that would take a file out of the patients' folder (or
// cannot name a file at all).
class UnusableName : public std::runtime_error {
public:
    explicit UnusableName(const QString& name);
};

// The patient's file in the Analyses folder: the name as typed plus the
// suffix. Names come from the name filter, but also from files, so the check
// is made here, where the path is built. The Analyses folder missing or not
// a folder, or a folder where the patient's file would be, is a FileError.
QString patientFilePath(const WorkingFolder& folder, const QString& name, const QString& suffix);

}  // namespace vel
