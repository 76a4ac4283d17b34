#pragma once

#include "model/Course.h"

// The entity every course is inserted as; it adds nothing to Course.
class MyCourse : public Course {
public:
    using Course::Course;
};
