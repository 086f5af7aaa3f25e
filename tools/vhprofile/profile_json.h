// Profiles as JSON documents, for people who read, diff and script them. Strings are
// the profile's Windows-1252 bytes as UTF-8, so any byte string survives the trip.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "profile/controller_data.h"

namespace vh {

// Fields keep the order they are written in, so that equal profiles dump as equal text.
using ProfileJson = nlohmann::ordered_json;

// A document that does not describe a profile. what() starts with the place of the
// fault, e.g. "macros[2].events[0]: expected [type, value]".
class ProfileJsonError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

ProfileJson ProfileToJson(const CControllerData& profile);

// Fields left out keep the value of a fresh profile (or macro, or axis definition);
// unknown fields, wrong types and values no profile can hold throw ProfileJsonError.
CControllerData ProfileFromJson(const ProfileJson& json);

// Two-space indentation, a record of scalars on one line, and a final newline.
std::string FormatProfileJson(const ProfileJson& json);
// Throws ProfileJsonError for text that is not JSON.
ProfileJson ParseProfileJson(std::string_view text);

}  // namespace vh
