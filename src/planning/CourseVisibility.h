#pragma once

class Year;

// Showing and hiding courses in the planning views and reports.
namespace CourseVisibility {
enum class Shown { All, None };
// Sets every course of the year to be drawn or not, and has the views redraw.
void showCourses(Year& year, Shown shown);
} // namespace CourseVisibility
