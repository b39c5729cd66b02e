#pragma once

#include <string>
#include <string_view>

#include "platform/browser.h"

namespace tolvane {

// What the user reads when a page could not be loaded, each naming the
// host (%s) and saying what to do.
inline constexpr const char* kHostNotFoundText =
    "Tolvane could not find %s. Check that this computer is connected to "
    "the internet, then press Get again.";
inline constexpr const char* kRefusedText =
    "%s refused the connection: nothing answers there. Try Get again later; "
    "if the address comes from TOLVANE_MARKETPLACE, check that its service "
    "is running.";
inline constexpr const char* kTimedOutText =
    "%s did not answer in time. Check the internet connection, then press "
    "Get again.";
inline constexpr const char* kCertificateText =
    "The connection to %s was stopped: the site's certificate could not be "
    "verified. Check that this computer's date and time are right and that "
    "the package ca-certificates is installed, then press Get again.";
inline constexpr const char* kSecureConnectionText =
    "No secure connection could be made to %s. Check the internet "
    "connection and any proxy or firewall in between, then press Get again.";
inline constexpr const char* kLoadFailedText =
    "The page could not be loaded from %s. Check the internet connection, "
    "then press Get again.";
// Follows the text where the kind alone does not say what went wrong.
inline constexpr const char* kSystemSaidText = " (The system said: %s.)";

// The host (and port) of an address: "www.ebay.com" of
// "https://www.ebay.com/sch/i.html?..."; the address itself when it has no
// scheme.
std::string HostOfAddress(std::string_view address);

// The message for a failed load of `address`.
std::string LoadFailureMessage(const LoadFailure& failure,
                               std::string_view address);

}  // namespace tolvane
