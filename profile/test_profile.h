// A profile for the tests that uses every field, with the awkward values: all 256
// byte values in one string, the five bytes Windows-1252 leaves undefined, a label
// longer than a one-byte length, keys that differ from their record's control or id,
// and the int32 extremes. Everything in it survives a trip through a profile file.
#pragma once

#include "profile/controller_data.h"

namespace vh::test {

CControllerData RichProfile();

}  // namespace vh::test
