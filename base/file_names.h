#pragma once
// File names as the commands look at them. Portable.

// Whether `name` ends in `ending` (given in lower case), in any mix of case.
bool nameEndsWith(const char* name, const char* ending);
