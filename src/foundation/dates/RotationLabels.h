#pragma once

#include <QString>

// Names of the day types of a rotating year. Day type n (0-based, as stored)
// reads "A Day", "B Day", ... or, when the user prefers numbers, "Day 1",
// "Day 2", ...
namespace RotationLabels {

enum class Numbering { Letters, Numbers };

// The letter is the character 'A' + n, so a rotation longer than 26 days goes
// on with the characters after 'Z' ("[ Day", "\ Day", ...).
QString typeOfDayLetter(int typeOfDay);
QString rotationLabel(int typeOfDay, Numbering numbering);

} // namespace RotationLabels
