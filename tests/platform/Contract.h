#pragma once

#include <string>

// Names each subject of a typed contract test by its `name` ("Real", "Fake"), so a failure
// says which service broke the promise.
struct SubjectName {
    template <class Subject> static std::string GetName(int) { return Subject::name; }
};
