#pragma once
// The container's start-up: Main brings the program up in its fixed order
// and hands over the document named on the command line, or offers the first
// start-up document.
#include <QString>

namespace ks::container {

// The whole argument text of the process, taken as one path.
void setCommandLine(const QString& commandLine);
QString commandLine();

// How long the splash stays at least, from the moment it showed (the main
// window's load included).
inline constexpr int kSplashMs = 1000;

void Main();
void ProcessCommand();
void ProcessStartup();

}
