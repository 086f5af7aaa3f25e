// A profile for the tests that uses every field, with the awkward values: all 256
// byte values in one string, the five bytes Windows-1252 leaves undefined, a label
// longer than a one-byte length, keys that differ from their record's control or id,
// and the int32 extremes. Everything in it survives a trip through a profile file.
#pragma once

#include <string>

#include "profile/controller_data.h"

namespace vh::test {

CControllerData RichProfile();

// A first-generation file of `device`: label 3 "Three", shift keys 1, 2 and 7, key 3
// sending scan code 4 and control 194 driving the Z axis up in Normal, and macro 8
// (one key press, repeat interval 250) in the old record form.
std::string FirstGenerationFile(const GUID& device);

}  // namespace vh::test
